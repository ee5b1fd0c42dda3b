#pragma once
// Runs xrdfit in-process with string streams, and reads its table back.

#include <map>
#include <string>
#include <vector>

struct XrdfitRun {
    int status;
    std::string out;
    std::string err;
};

XrdfitRun runXrdfit(const std::vector<std::string>& args);

// The table's rows as column name -> field; the header must hold every column once.
using TableRow = std::map<std::string, std::string>;
std::vector<TableRow> parseTable(const std::string& table);

double number(const TableRow& row, const std::string& column);
