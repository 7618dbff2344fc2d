#include "support/TestEnvironment.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {
FakeDialogs dialogsDouble;
FakeClipboard clipboardDouble;
FakeScreen screenDouble;
FakeHelpViewer helpDouble;
FakeSettingsLocation settingsDouble;
FakeFileOpUi fileOpUiDouble;
std::string home;
int tempCounter = 0;

void makeWritable(const fs::path& root) {
    std::error_code ec;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
    if (!fs::is_directory(fs::symlink_status(root, ec))) return;
    for (auto it = fs::recursive_directory_iterator(root, ec); it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (ec) break;
        if (!fs::is_symlink(it->symlink_status(ec)))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
}
}  // namespace

FakeDialogs& fakeDialogs() { return dialogsDouble; }
FakeClipboard& fakeClipboard() { return clipboardDouble; }
FakeScreen& fakeScreen() { return screenDouble; }
FakeHelpViewer& fakeHelp() { return helpDouble; }
FakeSettingsLocation& fakeSettingsLocation() { return settingsDouble; }
FakeFileOpUi& fakeFileOpUi() { return fileOpUiDouble; }
const std::string& testHome() { return home; }

void setTestHome(const std::string& h) { home = h; }

TempDir::TempDir() {
    path_ = home + "/t" + std::to_string(::getpid()) + "_" + std::to_string(++tempCounter);
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    makeWritable(path_);
    fs::remove_all(path_, ec);
}

std::string TempDir::operator/(const std::string& relative) const { return path_ + "/" + relative; }

std::string TempDir::write(const std::string& relative, const std::string& content) const {
    const std::string full = *this / relative;
    fs::create_directories(fs::path(full).parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out << content;
    return full;
}

std::string TempDir::mkdir(const std::string& relative) const {
    const std::string full = *this / relative;
    fs::create_directories(full);
    return full;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool ownerWritable(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR);
}

void PlatformTest::SetUp() {
    dialogsDouble.reset();
    fileOpUiDouble.reset();
    clipboardDouble.clear();
    screenDouble.screenSize = QSize(1920, 1080);
    helpDouble.calls = 0;
    helpDouble.lastFile.clear();
    settingsDouble.file = home + "/.config/dorvanquellis/Dorvanquellis.ini";
    settingsDouble.exeFolder = home + "/bin/";
    settingsDouble.startFolder.clear();
    fs::create_directories(settingsDouble.exeFolder);
    std::error_code ec;
    fs::remove(settingsDouble.file, ec);
}

void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

void PrintTo(const QStringList& list, std::ostream* os) {
    *os << "{\n";
    for (const QString& s : list) *os << "  \"" << s.toStdString() << "\"\n";
    *os << "}";
}
