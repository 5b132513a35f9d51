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
