// The filter list and the data-file extensions as the settings file keeps
// them.
#include "app/SettingsFilters.h"

#include <QListWidget>

#include "app/CopyForm.h"
#include "app/SettingsFile.h"
#include "controls/FileListBox.h"
#include "util/IniValues.h"
#include "util/SplitWX.h"

namespace {

const char* const kAnyFilter = "*.*";
const char* const kTxtFilter = "*.txt";

void addFilter(QListWidget& list, const std::string& text, bool checked) {
    auto* item = new QListWidgetItem(QString::fromStdString(text), &list);
    item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool isChecked(const QListWidgetItem* item) { return item && item->checkState() == Qt::Checked; }

std::string joined(const QListWidget& list, char separator, bool checkedOnly) {
    std::string text;
    bool first = true;
    for (int row = 1; row < list.count(); ++row) {
        if (checkedOnly && !isChecked(list.item(row))) continue;
        if (!first) text += separator;
        text += list.item(row)->text().toStdString();
        first = false;
    }
    return text;
}

class UpdatesSuspended {
public:
    explicit UpdatesSuspended(QWidget& w) : w_(w) { w_.setUpdatesEnabled(false); }
    ~UpdatesSuspended() { w_.setUpdatesEnabled(true); }

private:
    QWidget& w_;
};

}  // namespace

void RebuildFilterList(TCopyForm& form, const std::string& allFilter, const std::string& checkFilter) {
    QListWidget& list = *form.FilterCheckListBox;
    UpdatesSuspended suspended(list);
    if (list.count() != 1) {
        list.clear();
        addFilter(list, kAnyFilter, false);
    }
    if (trimBlanks(allFilter).empty()) {
        addFilter(list, kTxtFilter, true);
        return;
    }
    try {
        TSplitWX splitter;
        splitter.Split(allFilter, "/");
        for (const std::string& field : splitter.Items)
            addFilter(list, field, !field.empty() && checkFilter.find(field) != std::string::npos);
    } catch (...) {
        // Entries added so far stay.
    }
}

void DeriveDataFileExtensions(TCopyForm& form) {
    std::string extensions = form.TxtFilter;
    std::erase(extensions, '*');
    form.DataFileExtensions = extensions + ";";
}

std::string allFilterText(const TCopyForm& form) {
    return joined(*form.FilterCheckListBox, '/', false);
}

std::string checkFilterText(const TCopyForm& form) {
    const QListWidget& list = *form.FilterCheckListBox;
    if (isChecked(list.item(0))) return joined(list, ';', true);
    return form.FileListBox1->mask();
}
