#pragma once
// The further scans of a batch merge, answered to the raw reader's name prompts as if typed:
// one name per line, then the empty line that ends the merge.

#include <streambuf>
#include <string>
#include <vector>

class FileMessages;

class ScanNameFeed : public std::streambuf {
  public:
    // scans: every scan of the merge (at least one); the first is the one already open,
    // the others are handed out. Each name is echoed after its prompt and the messages that
    // follow concern that scan; after the closing empty line they concern the merge, named
    // after the first.
    ScanNameFeed(const std::vector<std::string>& scans, FileMessages& messages);

    // True once every name and the closing empty line were read: the merge went through to
    // its last scan instead of ending early (an undecodable scan, too many points).
    bool exhausted() const { return next_ == names_.size() && gptr() == egptr(); }

  protected:
    int_type underflow() override;

  private:
    std::string mergeName_;
    std::vector<std::string> names_;  // the closing empty name included
    std::size_t next_ = 0;
    std::string line_;  // the line being read
    FileMessages& messages_;
};
