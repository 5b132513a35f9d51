// ExitWindowsEx: ends the session of the prefix through the coordinator program `endsession`
// (prefix/Sessions.h), started detached, the way Wine hands the end of a session to wineboot.
// The program that asked is a member like the others and is ended last.
#include "host/DialogResponder.h"
#include "host/kernel32.h"
#include "host/user32.h"
#include "prefix/Prefix.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <unistd.h>

namespace {

// The coordinator: in the build's program folder, else on PATH.
QString coordinator_program() {
    const QString built = QStringLiteral(HOST_PROGRAM_DIR "/endsession");
    if (QFileInfo(built).isExecutable())
        return built;
    return QStandardPaths::findExecutable(QStringLiteral("endsession"));
}

} // namespace

extern "C" BOOL ExitWindowsEx(UINT flags, DWORD reason) {
    bool spare_self = false;
    if (host::DialogResponder* responder = host::dialog_responder()) {
        if (!responder->log_off({flags, reason}))
            return TRUE;
        spare_self = true;
    }
    const QString program = coordinator_program();
    if (program.isEmpty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    QStringList arguments{QStringLiteral("--prefix"),
                          QString::fromStdString(host::Prefix::current().root().string())};
    if (flags & EWX_FORCE)
        arguments << QStringLiteral("--force");
    arguments << (spare_self ? QStringLiteral("--spare") : QStringLiteral("--last"))
              << QString::number(::getpid());
    if (!QProcess::startDetached(program, arguments)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}
