#include "NamedObjects.h"

#include "host/kernel32.h"
#include "prefix/Prefix.h"

#include <QCryptographicHash>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace host::kernel32 {
namespace {

constexpr std::string_view local_namespace = "Local\\";
constexpr std::string_view global_namespace = "Global\\";
// Longer encoded names keep a readable start and end in a digest of the whole name.
constexpr std::size_t longest_plain_file_name = 200;

bool starts_with_ignoring_case(std::string_view text, std::string_view start) {
    if (text.size() < start.size())
        return false;
    for (std::size_t i = 0; i < start.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(start[i])))
            return false;
    return true;
}

// Object names are case-sensitive, as on Windows; so are Linux file names. Bytes other than
// letters, digits and a few marks are written as %XX, so that no name escapes the folder.
std::string encode(std::string_view name) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '_' || c == '-' || c == ' ' || (c == '.' && !encoded.empty()))
            encoded += c;
        else
            encoded += {'%', hex[byte >> 4], hex[byte & 15]};
    }
    if (encoded.size() > longest_plain_file_name) {
        const QByteArray digest =
            QCryptographicHash::hash(QByteArray::fromRawData(name.data(), static_cast<qsizetype>(name.size())),
                                     QCryptographicHash::Sha256)
                .toHex();
        encoded = encoded.substr(0, longest_plain_file_name / 2) + "~" + digest.toStdString();
    }
    return encoded;
}

DWORD error_of(int error_number) {
    switch (error_number) {
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case ENOSPC:
        return ERROR_DISK_FULL;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_PATH_NOT_FOUND;
    }
}

int lock(int descriptor, int operation) {
    int result;
    do
        result = flock(descriptor, operation);
    while (result != 0 && errno == EINTR);
    return result;
}

// Holds the exclusive lock on the object folder for its lifetime.
class FolderLock {
  public:
    explicit FolderLock(fs::path const& folder) {
        m_descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_descriptor >= 0 && lock(m_descriptor, LOCK_EX) != 0) {
            close(m_descriptor);
            m_descriptor = -1;
        }
        m_error = m_descriptor < 0 ? errno : 0;
    }
    ~FolderLock() {
        if (m_descriptor >= 0)
            close(m_descriptor); // also drops the lock
    }
    FolderLock(FolderLock const&) = delete;
    FolderLock& operator=(FolderLock const&) = delete;

    bool held() const { return m_descriptor >= 0; }
    int descriptor() const { return m_descriptor; }
    int error() const { return m_error; }

  private:
    int m_descriptor = -1;
    int m_error = 0;
};

bool write_maker(int descriptor, pid_t pid) {
    const std::string text = std::to_string(pid) + "\n";
    return ftruncate(descriptor, 0) == 0 &&
           pwrite(descriptor, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size());
}

pid_t read_maker(int descriptor) {
    char text[32] = {};
    const ssize_t length = pread(descriptor, text, sizeof text - 1, 0);
    if (length <= 0)
        return 0;
    return static_cast<pid_t>(std::strtol(text, nullptr, 10));
}

} // namespace

ObjectFileName object_file_name(std::string const& object_name) {
    if (object_name.size() > MAX_PATH)
        return {{}, ERROR_FILENAME_EXCED_RANGE};
    std::string_view name = object_name;
    std::string space = "local-";
    if (starts_with_ignoring_case(name, local_namespace)) {
        name.remove_prefix(local_namespace.size());
    } else if (starts_with_ignoring_case(name, global_namespace)) {
        name.remove_prefix(global_namespace.size());
        space = "global-";
    }
    if (name.find('\\') != std::string_view::npos)
        return {{}, ERROR_PATH_NOT_FOUND};
    return {space + encode(name), ERROR_SUCCESS};
}

fs::path object_folder() {
    return Prefix::current().root() / ".kernel-objects";
}

NamedObjectHold::NamedObjectHold(fs::path folder, std::string file_name, int descriptor, bool created)
    : m_folder(std::move(folder)), m_file_name(std::move(file_name)), m_descriptor(descriptor), m_created(created) {}

NamedObjectHold::~NamedObjectHold() {
    FolderLock folder(m_folder);
    if (folder.held()) {
        // No other holder: an exclusive lock is granted at once; the file goes with the object.
        // Under the folder lock nobody can open the name between the test and the removal.
        if (lock(m_descriptor, LOCK_EX | LOCK_NB) == 0)
            unlinkat(folder.descriptor(), m_file_name.c_str(), 0);
        else if (m_created)
            ftruncate(m_descriptor, 0); // others hold it still; its maker no longer does
    }
    close(m_descriptor);
}

NamedObjectOpening open_named_object(std::string const& object_name) {
    const ObjectFileName name = object_file_name(object_name);
    if (name.error != ERROR_SUCCESS)
        return {nullptr, name.error};
    const fs::path folder = object_folder();
    std::error_code error;
    if (fs::create_directories(folder, error))
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
    FolderLock folder_lock(folder);
    if (!folder_lock.held())
        return {nullptr, error_of(folder_lock.error())};
    const int descriptor =
        openat(folder_lock.descriptor(), name.file_name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0)
        return {nullptr, error_of(errno)};
    // Holders keep shared locks; an exclusive one is granted only when there are none.
    const bool created = lock(descriptor, LOCK_EX | LOCK_NB) == 0;
    if (created && !write_maker(descriptor, getpid())) {
        const int write_error = errno;
        close(descriptor);
        return {nullptr, error_of(write_error)};
    }
    // From exclusive to shared (or shared at once): no other process takes a lock meanwhile, since
    // every one takes the folder lock first.
    if (lock(descriptor, LOCK_SH) != 0) {
        const int lock_error = errno;
        close(descriptor);
        return {nullptr, error_of(lock_error)};
    }
    return {std::make_unique<NamedObjectHold>(folder, name.file_name, descriptor, created), ERROR_SUCCESS};
}

DWORD named_object_maker(std::string const& object_name) {
    const ObjectFileName name = object_file_name(object_name);
    if (name.error != ERROR_SUCCESS)
        return 0;
    FolderLock folder_lock(object_folder());
    if (!folder_lock.held())
        return 0;
    const int descriptor = openat(folder_lock.descriptor(), name.file_name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0)
        return 0;
    pid_t maker = 0;
    if (lock(descriptor, LOCK_EX | LOCK_NB) != 0) // someone holds it
        maker = read_maker(descriptor);
    close(descriptor);
    return static_cast<DWORD>(maker);
}

} // namespace host::kernel32
