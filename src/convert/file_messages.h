#pragma once
// The messages of the readers and writers about one file: on the error stream, every line
// begins with the name of the file it concerns ("quartz.xy: 3501 data points read.").

#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "console/console.h"

class PrefixedLines : public std::streambuf {
  public:
    PrefixedLines(std::ostream& target, std::string name)
        : target_(target), name_(std::move(name)) {}

    // The lines that follow concern another file.
    void concern(std::string name) { name_ = std::move(name); }

    // Ends a line left open (a prompt, a title without line end), so that the next message
    // starts a line of its own.
    void endLine();

  protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;

  private:
    std::ostream& target_;
    std::string name_;
    bool atLineStart_ = true;
};

// A console for the readers and writers of one file. It has no typed answers: a key pause
// gets the end of input at once, so a batch never waits.
class FileMessages {
  public:
    FileMessages(std::ostream& err, const std::string& name) : lines_(err, name) {}
    ~FileMessages() { lines_.endLine(); }
    FileMessages(const FileMessages&) = delete;
    FileMessages& operator=(const FileMessages&) = delete;

    Console& console() { return console_; }
    std::ostream& stream() { return stream_; }
    void concern(const std::string& name) { lines_.concern(name); }

  private:
    PrefixedLines lines_;
    std::ostream stream_{&lines_};
    std::istringstream noAnswers_;
    Console console_{noAnswers_, stream_};
};
