#pragma once

#include <cstdint>
#include <string>

#include <QDateTime>
#include <QDialog>
#include <QString>

class FileListBox;
class PathListModel;

// Caption of the program's own messages.
extern const QString ConfirmCaption;

// The shared utility object. Its operations use no instance state and are
// callable before the one instance ApU exists.
class TApU : public QDialog {
    Q_OBJECT
public:
    explicit TApU(QWidget* parent = nullptr);

    // Shows a message box and returns the pressed button's id:: value; flags
    // -1 shows the plain application message and returns -1.
    static int MsgBox(const QString& text, const QString& caption, int flags);
    // Centres window horizontally, a quarter of the free height from the top.
    static void SetDialogPosition(QWidget* window);
    // Decimal digits of value, padded on the left to width; never shortened.
    static std::string ZeroPadding(std::uint32_t value, std::uint32_t width, char pad);
    // Local date and time usable in a file name (no ":" or "/").
    static std::string DateTimeText();
    // The same for a given moment; the time is left out at exactly midnight.
    static std::string DateTimeText(const QDateTime& at);
    // path, or the first free base_NN.ext (digits clamped to 1..5); empty on
    // failure. Only files count as taken.
    static std::string UniqueFileName(const std::string& path, int digits);
    // The first free folder/001, folder/002, ...; empty on failure. Only
    // folders count as taken.
    static std::string UniqueFolderName(const std::string& folder);
    // Full paths of every row of list into target; false (after a message)
    // when the list is empty.
    static bool FileListToList(FileListBox& list, PathListModel& target);
    static bool SetClipboardText(const QString& text);
    static bool ClipboardHasText();
    static QString GetClipboardText();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

// Zero-padded signed number; on overflow the plain digits and a message.
std::string SignedZeroPadding(std::int32_t value, std::int32_t width);

// The standard report of a failure no command caught.
void ShowErrorReport(const QString& text);

extern TApU* ApU;
