#include "xrdfit_harness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "batch/fit_main.h"

XrdfitRun runXrdfit(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = fitMain(args, out, err, {});
    return {status, out.str(), err.str()};
}

namespace {

// Every field, the empty last one (no flags) included.
std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (std::size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
        fields.push_back(line.substr(from, tab - from));
    fields.push_back(line.substr(from));
    return fields;
}

}  // namespace

std::vector<TableRow> parseTable(const std::string& table) {
    std::istringstream in(table);
    std::string line;
    std::vector<TableRow> rows;
    if (!std::getline(in, line)) return rows;
    const std::vector<std::string> header = splitTabs(line);
    while (std::getline(in, line)) {
        const std::vector<std::string> fields = splitTabs(line);
        EXPECT_EQ(fields.size(), header.size()) << line;
        TableRow row;
        for (std::size_t k = 0; k < header.size() && k < fields.size(); ++k)
            row[header[k]] = fields[k];
        rows.push_back(row);
    }
    return rows;
}

double number(const TableRow& row, const std::string& column) {
    const auto field = row.find(column);
    return field == row.end() ? std::nan("") : std::stod(field->second);
}
