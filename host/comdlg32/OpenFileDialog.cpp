// GetOpenFileNameA and CommDlgExtendedError on Qt. The dialog (or the dialog responder) names
// host files; they are checked against the caller's flags and answered as DOS paths in the
// classic or the Explorer format (commdlg.h).
#include "host/AnsiCodePage.h"
#include "host/DialogFrame.h"
#include "host/DialogResponder.h"
#include "host/commdlg.h"
#include "prefix/Prefix.h"
#include "prefix/ShortNames.h"

#include "host/GuiThread.h"
#include "host/kernel32.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <fnmatch.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace host {
namespace {

thread_local DWORD g_last_error = 0;

BOOL fail(DWORD code) {
    g_last_error = code;
    return FALSE;
}

bool has(DWORD flags, DWORD flag) {
    return (flags & flag) != 0;
}

std::vector<std::pair<std::string, std::string>> read_filters(LPCSTR list) {
    std::vector<std::pair<std::string, std::string>> filters;
    if (!list)
        return filters;
    // A description without its pattern (the list ends after it) ends the list.
    while (*list) {
        std::string description = list;
        list += description.size() + 1;
        if (!*list)
            break;
        std::string pattern = list;
        list += pattern.size() + 1;
        filters.emplace_back(std::move(description), std::move(pattern));
    }
    return filters;
}

OpenFileRequest request_of(OPENFILENAMEA const& ofn) {
    OpenFileRequest request;
    request.title = ofn.lpstrTitle ? ofn.lpstrTitle : "Open";
    request.filters = read_filters(ofn.lpstrFilter);
    request.filter_index = ofn.nFilterIndex;
    request.flags = ofn.Flags;
    request.initial_folder = ofn.lpstrInitialDir ? ofn.lpstrInitialDir : "";
    request.default_extension = ofn.lpstrDefExt ? ofn.lpstrDefExt : "";
    return request;
}

// A missing name without an extension gets the default one; a wildcard default extension
// ("*") takes the first file of that stem.
fs::path with_default_extension(fs::path const& file, std::string const& extension) {
    std::error_code error;
    if (extension.empty() || fs::exists(file, error) ||
        file.filename().string().find('.') != std::string::npos)
        return file;
    const std::string pattern = file.filename().string() + "." + extension;
    std::vector<fs::path> matches;
    for (auto const& entry : fs::directory_iterator(file.parent_path(), error))
        if (fnmatch(pattern.c_str(), entry.path().filename().c_str(), FNM_CASEFOLD) == 0)
            matches.push_back(entry.path());
    if (matches.empty())
        return file;
    return *std::min_element(matches.begin(), matches.end());
}

// ---- The Qt dialog -------------------------------------------------------------------------

// "*.mpg" as a pattern that matches MOVIE.MPG too: DOS names know no case.
QString caseless_pattern(QString const& pattern) {
    QString result;
    for (QChar c : pattern) {
        if (c.isLetter())
            result += QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper());
        else
            result += c;
    }
    return result;
}

// The description is shown as given (its own parenthesised patterns included); the patterns
// Qt filters by follow in a last pair of parentheses that the dialog hides.
QStringList qt_filters(OpenFileRequest const& request) {
    QStringList filters;
    for (auto const& [description, pattern] : request.filters) {
        QStringList patterns;
        for (QString const& one : host::from_ansi(pattern).split(';', Qt::SkipEmptyParts))
            patterns << caseless_pattern(one.trimmed());
        filters << QStringLiteral("%1 (%2)").arg(host::from_ansi(description), patterns.join(' '));
    }
    return filters;
}

// The names typed into the name field: several in double quotes, or the whole text as one.
std::vector<std::string> typed_names(std::string const& text) {
    std::vector<std::string> names;
    if (text.find('"') == std::string::npos) {
        names.push_back(text);
        return names;
    }
    for (std::size_t open = text.find('"'); open != std::string::npos; open = text.find('"', open)) {
        const std::size_t close = text.find('"', open + 1);
        if (close == std::string::npos)
            break;
        names.push_back(text.substr(open + 1, close - open - 1));
        open = close + 1;
    }
    return names;
}

// A typed name as a host path: a DOS path, a host path, or a name in `folder`, found as DOS
// finds names (without regard to case, or by its short name).
std::optional<fs::path> resolve_typed(std::string const& name, fs::path const& folder) {
    if (name.starts_with('/'))
        return fs::path(name);
    // The field holds UTF-8; a DOS path is looked up in the ANSI code page. A name that has no
    // ANSI spelling can only be a Linux name in the folder shown.
    auto ansi = utf8_to_ansi(name);
    if (!ansi)
        return folder / name;
    if (ansi->size() >= 2 && (*ansi)[1] == ':' && std::isalpha(static_cast<unsigned char>((*ansi)[0])))
        return Prefix::current().to_host(*ansi);
    if (auto dos_folder = Prefix::current().to_dos(folder))
        return Prefix::current().to_host(*dos_folder + (dos_folder->back() == '\\' ? "" : "\\") + *ansi);
    return folder / name;
}

// How a folder is named to the user: a drive's root by its letter and volume label, as "MOVIES
// (C:)", any other folder by its DOS path; nothing for a folder no drive holds.
std::optional<QString> dos_label(fs::path const& folder) {
    const auto dos = Prefix::current().to_dos(folder);
    if (!dos)
        return std::nullopt;
    if (dos->size() > 3)
        return host::from_ansi(*dos);
    const std::string root = dos->substr(0, 2) + "\\";
    char label[64] = "";
    GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0);
    const QString drive = host::from_ansi(dos->substr(0, 2));
    return *label ? QStringLiteral("%1 (%2)").arg(host::from_ansi(label), drive)
                  : QStringLiteral("(%1)").arg(drive);
}

// Keeps the folder names a list of the dialog shows (the "Look in" box, the sidebar) in DOS
// terms: whenever Qt names a row by its Linux path or folder name, the row is named again; a row
// of a folder no drive holds (the computer's root, a folder outside the drives) is hidden.
class DosFolderNames : public QObject {
  public:
    DosFolderNames(QListView* view, QObject* parent) : QObject(parent), m_view(view), m_model(view->model()) {
        connect(m_model, &QAbstractItemModel::dataChanged, this, [this] { rename(); });
        connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] { rename(); });
        connect(m_model, &QAbstractItemModel::modelReset, this, [this] { rename(); });
        rename();
    }

  private:
    // QFileDialog's folder models keep each row's folder as a URL under this role.
    static constexpr int url_role = Qt::UserRole + 1;

    void rename() {
        if (m_renaming)
            return;
        m_renaming = true;
        for (int row = 0; row < m_model->rowCount(); ++row) {
            const QModelIndex index = m_model->index(row, 0);
            const QVariant url = m_model->data(index, url_role);
            if (!url.isValid())
                continue; // a heading ("Recent Places")
            const QUrl folder = url.toUrl();
            const auto label = folder.isLocalFile() && !folder.toLocalFile().isEmpty()
                                   ? dos_label(folder.toLocalFile().toStdString())
                                   : std::nullopt;
            if (label && m_model->data(index, Qt::DisplayRole).toString() != *label)
                m_model->setData(index, *label, Qt::DisplayRole);
            m_view->setRowHidden(row, !label);
        }
        m_renaming = false;
    }

    QListView* m_view;
    QAbstractItemModel* m_model;
    bool m_renaming = false;
};

// A file dialog that behaves as a DOS one on the prefix's drives. The name field takes what a
// Windows user types: DOS paths, names in another case or by their short names, several names in
// quotes; a folder opens it, files are the answer, and the Open button is enabled for every name
// that Enter would take. Folders are shown as drives and DOS paths, and the dialog stays on the
// prefix's drives: a folder no drive holds is not entered.
class DosFileDialog : public QFileDialog {
  public:
    DosFileDialog(QWidget* parent, QString const& title, QString const& folder, bool must_exist)
        : QFileDialog(parent, title, folder), m_must_exist(must_exist) {
        setOption(QFileDialog::DontUseNativeDialog);
        m_last_folder = directory().absolutePath();
        if (QLineEdit* edit = name_edit()) {
            if (QCompleter* completer = edit->completer())
                completer->setCaseSensitivity(Qt::CaseInsensitive);
            // After Qt's own update of the button, which compares names with their case.
            connect(edit, &QLineEdit::textChanged, this, [this] { update_open_button(); });
            connect(
                edit, &QLineEdit::textChanged, this, [this] { update_open_button(); }, Qt::QueuedConnection);
        }
        // Every change of the folder shown, by the user's navigation or by a call, passes the
        // model's root path.
        if (auto* files = findChild<QFileSystemModel*>())
            connect(files, &QFileSystemModel::rootPathChanged, this,
                    [this](QString const& folder) { stay_on_drives(folder); });
        // The folders visited before, which Qt keeps across programs and prefixes, are not offered.
        setHistory({});
        if (auto* combo = findChild<QComboBox*>(QStringLiteral("lookInCombo")))
            if (auto* list = qobject_cast<QListView*>(combo->view()))
                new DosFolderNames(list, this);
        if (auto* sidebar = findChild<QListView*>(QStringLiteral("sidebar")))
            new DosFolderNames(sidebar, this);
    }

    std::optional<std::vector<fs::path>> typed_answer;

    void accept() override {
        QLineEdit* edit = name_edit();
        const std::string text = edit ? edit->text().trimmed().toStdString() : std::string();
        if (!text.empty() && take_typed(text, *edit))
            return;
        QFileDialog::accept(); // Qt's own handling, with its messages for names it cannot take
    }

  private:
    QLineEdit* name_edit() const { return findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); }

    // The typed names as host paths, found without regard to case; nothing when one cannot be.
    std::optional<std::vector<fs::path>> typed_paths(std::string const& text) const {
        const fs::path folder = directory().absolutePath().toStdString();
        std::vector<fs::path> files;
        for (std::string const& name : typed_names(text)) {
            auto path = resolve_typed(name, folder);
            if (!path)
                return std::nullopt;
            files.push_back(*path);
        }
        return files;
    }

    // Whether Enter takes the typed text: one existing folder, or files that exist (when they
    // must) in the drives.
    bool takes(std::vector<fs::path> const& files) const {
        std::error_code error;
        if (files.empty())
            return false;
        if (files.size() == 1 && fs::is_directory(files.front(), error))
            return true;
        return std::ranges::all_of(files, [&](fs::path const& file) {
            return Prefix::current().to_dos(file) && (!m_must_exist || fs::is_regular_file(file, error));
        });
    }

    void update_open_button() {
        QLineEdit* edit = name_edit();
        auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QPushButton* open = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
        if (!edit || !open || open->isEnabled())
            return;
        const std::string text = edit->text().trimmed().toStdString();
        if (text.empty())
            return;
        if (auto files = typed_paths(text); files && takes(*files))
            open->setEnabled(true);
    }

    // A folder outside every drive (the parent of a drive's root, a path typed into the "Look in"
    // box) is left at once for the folder shown before.
    void stay_on_drives(QString const& folder) {
        if (Prefix::current().to_dos(folder.toStdString())) {
            m_last_folder = folder;
            return;
        }
        if (folder != m_last_folder)
            QTimer::singleShot(0, this, [this] { setDirectory(m_last_folder); });
    }

    bool take_typed(std::string const& text, QLineEdit& edit) {
        auto files = typed_paths(text);
        if (!files)
            return false;
        std::error_code error;
        if (files->size() == 1 && fs::is_directory(files->front(), error)) {
            if (!Prefix::current().to_dos(files->front()))
                return false;
            setDirectory(QString::fromStdString(files->front().string()));
            edit.clear();
            return true;
        }
        for (fs::path const& file : *files)
            if (m_must_exist && !fs::is_regular_file(file, error))
                return false;
        typed_answer = std::move(files);
        QDialog::accept();
        return true;
    }

    bool m_must_exist;
    QString m_last_folder;
};

// The initial folder, else the DOS current directory: a folder on the prefix's drives.
QString start_folder(OpenFileRequest const& request) {
    if (!request.initial_folder.empty())
        if (auto host_path = Prefix::current().to_host(request.initial_folder))
            return QString::fromStdString(host_path->string());
    if (auto host_path = Prefix::current().to_host(Prefix::current().current_directory()))
        return QString::fromStdString(host_path->string());
    return QDir::currentPath();
}

// Windows' modal loop keeps the thread's other windows alive: their messages are dispatched
// while the dialog runs. A quit message ends the dialog and is put back for the program's loop.
void pump_host_messages(QDialog& dialog, QTimer& pump) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            pump.stop();
            PostQuitMessage(static_cast<int>(msg.wParam));
            dialog.reject();
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::optional<std::vector<fs::path>> run_qt_dialog(HWND owner, OpenFileRequest const& request,
                                                   DWORD& filter_index) {
    QWidget* parent = owner ? window_widget(owner) : nullptr;
    DosFileDialog dialog(parent ? parent : QApplication::activeWindow(),
                         host::from_ansi(request.title), start_folder(request),
                         has(request.flags, OFN_FILEMUSTEXIST));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(!has(request.flags, OFN_FILEMUSTEXIST)     ? QFileDialog::AnyFile
                       : has(request.flags, OFN_ALLOWMULTISELECT) ? QFileDialog::ExistingFiles
                                                                  : QFileDialog::ExistingFile);
    const QStringList filters = qt_filters(request);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const auto index =
            std::clamp<qsizetype>(request.filter_index ? request.filter_index - 1 : 0, 0, filters.size() - 1);
        dialog.selectNameFilter(filters[index]);
    }
    QList<QUrl> drives;
    for (DriveInfo const& drive : Prefix::current().drives())
        if (!drive.root.empty())
            drives << QUrl::fromLocalFile(QString::fromStdString(drive.root.string()));
    dialog.setSidebarUrls(drives);
    add_dialog_frame(dialog);

    // The files the dialog accepted, as it announces them (selectedFiles() afterwards may no
    // longer list every name typed).
    QStringList accepted;
    QObject::connect(&dialog, &QFileDialog::filesSelected,
                     [&](QStringList const& files) { accepted = files; });
    QTimer pump;
    QObject::connect(&pump, &QTimer::timeout, [&] { pump_host_messages(dialog, pump); });
    pump.start(50);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (const auto index = filters.indexOf(dialog.selectedNameFilter()); index >= 0)
        filter_index = static_cast<DWORD>(index + 1);
    if (dialog.typed_answer)
        return dialog.typed_answer;
    std::vector<fs::path> files;
    for (QString const& file : accepted.isEmpty() ? dialog.selectedFiles() : accepted)
        files.emplace_back(file.toStdString());
    return files;
}

std::optional<std::vector<fs::path>> ask_responder(DialogResponder& responder,
                                                   OpenFileRequest const& request) {
    auto answer = responder.open_file_dialog(request);
    if (!answer)
        return std::nullopt;
    std::vector<fs::path> files;
    for (std::string const& dos_path : *answer) {
        // A name outside every drive cannot be typed: it becomes an empty path, refused below.
        auto host_path = Prefix::current().to_host(dos_path);
        files.push_back(host_path ? with_default_extension(*host_path, request.default_extension)
                                  : fs::path());
    }
    return files;
}

// ---- The answer ----------------------------------------------------------------------------

struct Selection {
    std::string text; // the selection in the caller's format, without the final terminator(s)
    std::size_t size; // characters needed in lpstrFile, terminators included
    WORD file_offset; // where the (first) name starts
    WORD extension_offset;
    std::string title; // the first name alone
};

// The DOS folder of `file` (short names unless long ones are asked for), or nothing when no drive
// holds it.
std::optional<std::string> dos_folder(fs::path const& file, bool long_names) {
    return Prefix::current().to_dos(file.parent_path(), !long_names);
}

std::string dos_name(fs::path const& file, bool long_names) {
    const std::string name = file.filename().string();
    return long_names ? name : short_name_of(name);
}

WORD extension_offset(std::string const& path, std::size_t name_start) {
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || dot < name_start)
        return 0;
    return static_cast<WORD>(std::min<std::size_t>(dot + 1, 0xFFFF));
}

DWORD check_files(std::vector<fs::path> const& files, DWORD flags) {
    if (files.empty() || (files.size() > 1 && !has(flags, OFN_ALLOWMULTISELECT)))
        return FNERR_INVALIDFILENAME;
    std::error_code error;
    for (fs::path const& file : files) {
        if (file.empty() || file.parent_path() != files.front().parent_path())
            return FNERR_INVALIDFILENAME;
        if (has(flags, OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST) && !fs::is_directory(file.parent_path(), error))
            return FNERR_INVALIDFILENAME;
        if (has(flags, OFN_FILEMUSTEXIST) && (!fs::exists(file, error) || fs::is_directory(file, error)))
            return FNERR_INVALIDFILENAME;
    }
    return 0;
}

std::optional<Selection> format_selection(std::vector<fs::path> const& files, DWORD flags) {
    const bool explorer = has(flags, OFN_EXPLORER);
    const bool long_names = explorer || has(flags, OFN_LONGNAMES);
    auto folder = dos_folder(files.front(), long_names);
    if (!folder)
        return std::nullopt;
    Selection selection;
    selection.title = dos_name(files.front(), long_names);
    if (files.size() == 1) {
        selection.text = *folder + (folder->back() == '\\' ? "" : "\\") + selection.title;
        const std::size_t name_start = selection.text.size() - selection.title.size();
        selection.size = selection.text.size() + (explorer ? 2 : 1);
        selection.file_offset = static_cast<WORD>(std::min<std::size_t>(name_start, 0xFFFF));
        selection.extension_offset = extension_offset(selection.text, name_start);
        return selection;
    }
    const char separator = explorer ? '\0' : ' ';
    selection.text = *folder;
    selection.file_offset = static_cast<WORD>(std::min<std::size_t>(folder->size() + 1, 0xFFFF));
    for (fs::path const& file : files) {
        selection.text += separator;
        selection.text += dos_name(file, long_names);
    }
    selection.size = selection.text.size() + (explorer ? 2 : 1);
    selection.extension_offset = 0;
    return selection;
}

BOOL deliver(OPENFILENAMEA& ofn, Selection const& selection) {
    if (selection.size > ofn.nMaxFile) {
        if (ofn.nMaxFile >= 2) {
            const auto needed = static_cast<WORD>(std::min<std::size_t>(selection.size, 0xFFFF));
            ofn.lpstrFile[0] = static_cast<char>(needed & 0xFF);
            ofn.lpstrFile[1] = static_cast<char>(needed >> 8);
        }
        return fail(FNERR_BUFFERTOOSMALL);
    }
    std::memcpy(ofn.lpstrFile, selection.text.data(), selection.text.size());
    std::memset(ofn.lpstrFile + selection.text.size(), 0, selection.size - selection.text.size());
    ofn.nFileOffset = selection.file_offset;
    ofn.nFileExtension = selection.extension_offset;
    if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
        const std::size_t length = std::min<std::size_t>(selection.title.size(), ofn.nMaxFileTitle - 1);
        std::memcpy(ofn.lpstrFileTitle, selection.title.data(), length);
        ofn.lpstrFileTitle[length] = '\0';
    }
    g_last_error = 0;
    return TRUE;
}

} // namespace
} // namespace host

using namespace host;

extern "C" BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) {
    if (!ofn || ofn->lStructSize != sizeof(OPENFILENAMEA))
        return fail(CDERR_STRUCTSIZE);
    if (!ofn->lpstrFile || ofn->nMaxFile == 0)
        return fail(CDERR_INITIALIZATION);
    const OpenFileRequest request = request_of(*ofn);
    std::optional<std::vector<fs::path>> files;
    if (DialogResponder* responder = dialog_responder()) {
        files = ask_responder(*responder, request);
    } else {
        if (!user32::ensure_application())
            return fail(CDERR_INITIALIZATION);
        DWORD filter_index = ofn->nFilterIndex;
        files = run_qt_dialog(ofn->hwndOwner, request, filter_index);
        ofn->nFilterIndex = filter_index;
    }
    if (!files) {
        g_last_error = 0; // cancelled
        return FALSE;
    }
    if (const DWORD error = check_files(*files, ofn->Flags))
        return fail(error);
    const auto selection = format_selection(*files, ofn->Flags);
    if (!selection)
        return fail(FNERR_INVALIDFILENAME);
    return deliver(*ofn, *selection);
}

extern "C" DWORD CommDlgExtendedError() {
    return g_last_error;
}
