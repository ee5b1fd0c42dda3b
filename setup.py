"""Builds the extension of the xrdpick package with the project's CMake build, so that the
module is made of the same libraries, with the same flags, as the programs. Only the
libraries the module links are built (no giza, no X11), in a directory outside the checkout
that is removed once the extension is copied out, stripped."""

import atexit
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


def project_version():
    text = (ROOT / "CMakeLists.txt").read_text()
    return re.search(r"project\(xrdpick VERSION ([0-9.]+)", text).group(1)


# Outside the checkout, and gone after the install (a CMake build of the libraries is large).
BUILD_BASE = tempfile.mkdtemp(prefix="xrdpick-build-")
atexit.register(shutil.rmtree, BUILD_BASE, ignore_errors=True)


class CMakeExtension(Extension):
    def __init__(self, name):
        super().__init__(name, sources=[])


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = Path(self.build_temp).resolve() / "cmake"
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build), "-DXRDPICK_TESTS=OFF",
                        "-DXRDPICK_PROGRAMS=OFF", "-DXRDPICK_PYTHON=ON",
                        "-DCMAKE_MODULE_LINKER_FLAGS=-s",
                        f"-DPython3_EXECUTABLE={sys.executable}"],
                       check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL") or str(os.cpu_count() or 1)
        subprocess.run(["cmake", "--build", str(build), "--target", "xrdpick_python", "-j", jobs],
                       check=True)
        built = next((build / "python" / "xrdpick").glob("_xrdpick*.so"))
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


setup(
    version=project_version(),
    packages=["xrdpick"],
    package_dir={"": "src/python"},
    ext_modules=[CMakeExtension("xrdpick._xrdpick")],
    cmdclass={"build_ext": CMakeBuild},
    options={"build": {"build_base": BUILD_BASE}, "egg_info": {"egg_base": BUILD_BASE}},
)
