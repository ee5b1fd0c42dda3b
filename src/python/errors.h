#pragma once
// The module's exceptions, as C++ types its functions throw: each carries the message the
// programs print, naming the file it concerns.

#include <stdexcept>

struct XrdpickError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
struct ReadError : XrdpickError {  // a file that is not read as a pattern
    using XrdpickError::XrdpickError;
};
struct WriteError : XrdpickError {  // a file that is not written
    using XrdpickError::XrdpickError;
};
struct PatternError : XrdpickError {  // arrays that make no pattern, or one that cannot serve
    using XrdpickError::XrdpickError;
};
struct RegionError : XrdpickError {  // a region or plan that cannot be fitted
    using XrdpickError::XrdpickError;
};
