#include "convert/scan_name_feed.h"

#include <ostream>

#include "convert/file_messages.h"

ScanNameFeed::ScanNameFeed(const std::vector<std::string>& scans, FileMessages& messages)
    : mergeName_(scans.front()), names_(scans.begin() + 1, scans.end()), messages_(messages) {
    names_.emplace_back();
}

// Hands out one line at a time, so that a name is echoed just when its prompt reads it.
ScanNameFeed::int_type ScanNameFeed::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (next_ == names_.size()) return traits_type::eof();
    const std::string& name = names_[next_++];
    messages_.stream() << name << '\n';
    messages_.concern(name.empty() ? mergeName_ : name);
    line_ = name + '\n';
    setg(line_.data(), line_.data(), line_.data() + line_.size());
    return traits_type::to_int_type(*gptr());
}
