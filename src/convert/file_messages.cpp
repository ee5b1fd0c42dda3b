#include "convert/file_messages.h"

void PrefixedLines::endLine() {
    if (!atLineStart_) overflow('\n');
}

PrefixedLines::int_type PrefixedLines::overflow(int_type ch) {
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    const char c = traits_type::to_char_type(ch);
    xsputn(&c, 1);
    return ch;
}

std::streamsize PrefixedLines::xsputn(const char* text, std::streamsize count) {
    std::streamsize done = 0;
    while (done < count) {
        if (atLineStart_) target_ << name_ << ": ";
        std::streamsize end = done;
        while (end < count && text[end] != '\n') ++end;
        atLineStart_ = end < count;
        if (atLineStart_) ++end;  // the line end goes with its line
        target_.write(text + done, end - done);
        done = end;
    }
    return count;
}
