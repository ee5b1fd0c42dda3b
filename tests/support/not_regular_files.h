#pragma once
// Names that are no regular file, made in the current directory: a directory and a FIFO,
// each with the words every program refuses it in.

#include <string>
#include <vector>

struct NotRegularFile {
    std::string name;
    std::string refusal;  // "NAME: a directory, not a pattern file"
};

// Makes the directory `folder` and the FIFO `fifo`.
std::vector<NotRegularFile> makeNotRegularFiles(const std::string& folder, const std::string& fifo);
