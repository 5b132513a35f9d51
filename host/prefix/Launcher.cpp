#include "host/Launcher.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace host {
namespace {

class DetachedLauncher final : public Launcher {
public:
    bool launch(const std::vector<std::string>& argv) override {
        if (argv.empty())
            return false;
        QString program = QStandardPaths::findExecutable(QString::fromStdString(argv[0]));
        if (program.isEmpty())
            return false;
        QStringList arguments;
        for (std::size_t i = 1; i < argv.size(); ++i)
            arguments << QString::fromLocal8Bit(argv[i].c_str());
        return QProcess::startDetached(program, arguments);
    }
};

DetachedLauncher g_detached;
Launcher* g_launcher = nullptr;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

} // namespace

void set_launcher(Launcher* launcher) { g_launcher = launcher; }

Launcher& launcher() { return g_launcher ? *g_launcher : g_detached; }

std::vector<std::string> split_command_line(const std::string& line) {
    std::vector<std::string> args;
    std::size_t at = 0;
    while (at < line.size() && is_blank(line[at]))
        ++at;
    if (at == line.size())
        return args;
    std::string program;
    if (line[at] == '"') {
        std::size_t close = line.find('"', at + 1);
        program = line.substr(at + 1, close == std::string::npos ? std::string::npos : close - at - 1);
        at = close == std::string::npos ? line.size() : close + 1;
    }
    while (at < line.size() && !is_blank(line[at]))
        program += line[at++];
    args.push_back(program);

    for (;;) {
        while (at < line.size() && is_blank(line[at]))
            ++at;
        if (at == line.size())
            return args;
        std::string arg;
        bool quoted = false;
        while (at < line.size() && (quoted || !is_blank(line[at]))) {
            std::size_t backslashes = 0;
            while (at < line.size() && line[at] == '\\') {
                ++backslashes;
                ++at;
            }
            if (at < line.size() && line[at] == '"') {
                arg.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    arg += '"';
                } else if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                    arg += '"'; // a doubled quote inside quotes stands for one quote
                    ++at;
                } else {
                    quoted = !quoted;
                }
                ++at;
            } else {
                arg.append(backslashes, '\\');
                if (at < line.size() && (quoted || !is_blank(line[at])))
                    arg += line[at++];
            }
        }
        args.push_back(arg);
    }
}

} // namespace host
