// Reading what MCITRACE recorded: one line per command, "command TAB code TAB reply".
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The command strings of the trace file, in the order they were sent.
inline std::vector<std::string> mci_trace_commands(const std::filesystem::path& trace_file) {
    std::vector<std::string> commands;
    std::ifstream trace(trace_file);
    for (std::string line; std::getline(trace, line);)
        commands.push_back(line.substr(0, line.find('\t')));
    return commands;
}

// Each string of the trace file with its result code, "command -> code", in the order sent.
inline std::vector<std::string> mci_trace_results(const std::filesystem::path& trace_file) {
    std::vector<std::string> lines;
    std::ifstream trace(trace_file);
    for (std::string line; std::getline(trace, line);) {
        const auto tab = line.find('\t');
        const auto second = line.find('\t', tab + 1);
        lines.push_back(line.substr(0, tab) + " -> " + line.substr(tab + 1, second - tab - 1));
    }
    return lines;
}
