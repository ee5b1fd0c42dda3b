# Sourced by the fityk comparisons: installs fityk (Debian package `fityk`) when cfityk is
# missing.
if ! command -v cfityk > /dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y fityk
fi
