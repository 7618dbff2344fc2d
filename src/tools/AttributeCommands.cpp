#include "tools/AttributeCommands.h"

#include <exception>

#include "app/CopyForm.h"
#include "controls/PathListBox.h"
#include "fileops/FileOperation.h"
#include "platform/MessageBoxIds.h"
#include "util/ApU.h"

namespace {

void notice(const QString& text) { TApU::MsgBox(text, ConfirmCaption, mb::Ok); }

QString notProcessedText(long long count) {
    return QString::number(count) + QStringLiteral("個のファイルは処理できませんでした。");
}

}  // namespace

void AttributeCommands::RemoveReadOnlyAttribsExecute() {
    ChangeAttributesOfList(*form_.DataListBox, false, false, true);
}

void AttributeCommands::SetReadOnlyAttribsExecute() {
    ChangeAttributesOfList(*form_.DataListBox, true, false, true);
}

void AttributeCommands::RemoveHiddenAttribsExecute() {
    ChangeAttributesOfList(*form_.DataListBox, false, true, true);
}

void AttributeCommands::SetHiddenAttribsExecute() {
    ChangeAttributesOfList(*form_.DataListBox, true, true, true);
}

int AttributeCommands::ChangeAttributesOfList(PathListBox& list, bool SetAttrib, bool Hidden,
                                              bool ShowMessages) {
    if (list.count() == 0) {
        if (ShowMessages) notice(QStringLiteral("データがありませんよ!"));
        return 0;
    }
    if (list.currentRow() < 0) list.setCurrentRow(0);
    try {
        const std::vector<std::string> paths = list.list()->rows();
        TFileOperation& engine = fileOperation();
        int missing = 0;
        const int count = SetAttrib ? engine.SetAttribute(paths, Hidden, missing)
                                    : engine.ClearAttribute(paths, Hidden, missing);
        if (count > 0) notice(notProcessedText(count));
        else if (ShowMessages) notice(QStringLiteral("終了しました。"));
        return count;
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowErrorReport(QStringLiteral("ChangeAttributesOfList"));
    }
    notice(notProcessedText(list.count()));
    return list.count();
}
