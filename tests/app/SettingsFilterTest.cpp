#include "app/SettingsFile.h"
#include "app/SettingsFilters.h"
#include "controls/FileListBox.h"
#include "SettingsTest.h"

namespace {

using Texts = std::vector<std::string>;
using Marks = std::vector<bool>;

class SettingsFilterTest : public SettingsTest {
protected:
    void load(const std::string& fileFolder) {
        writeSettings("[FileFolder]\n" + fileFolder);
        createForm();
    }
};

TEST_F(SettingsFilterTest, CheckFilterChecksTheFiltersItContains) {
    load("AllFilter=*.txt/*.m3u\nCheckFilter=*.m3u\n");
    EXPECT_EQ(filters(), (Texts{"*.*", "*.txt", "*.m3u"}));
    EXPECT_EQ(checks(), (Marks{false, false, true}));
    EXPECT_EQ(form->FileListBox1->mask(), "*.m3u");

    // A substring of a longer checked filter counts too.
    load("AllFilter=*.m3u/*.txt/*.doc\nCheckFilter=*.m3u8;*.txt\n");
    EXPECT_EQ(checks(), (Marks{false, true, true, false}));
}

TEST_F(SettingsFilterTest, BlankOrEmptyFiltersAreKeptAsSpecified) {
    load("AllFilter=   \nCheckFilter=*.doc\n");
    EXPECT_EQ(filters(), (Texts{"*.*", "*.txt"}));
    EXPECT_EQ(checks(), (Marks{false, true}));

    load("AllFilter=*.txt//*.m3u\nCheckFilter=*.txt;*.m3u\n");
    EXPECT_EQ(filters(), (Texts{"*.*", "*.txt", "", "*.m3u"}));
    EXPECT_EQ(checks(), (Marks{false, true, false, true}));

    load("AllFilter=*.txt/ *.m3u\nCheckFilter=*.m3u\n");  // fields are not trimmed
    EXPECT_EQ(filters(), (Texts{"*.*", "*.txt", " *.m3u"}));
    EXPECT_EQ(checks(), (Marks{false, false, false}));
}

TEST_F(SettingsFilterTest, AnyFilterChecksTheFirstEntryAndShowsEveryFile) {
    load("AnyFilter=1\nAllFilter=*.txt/*.doc\nCheckFilter=*.doc\n");
    EXPECT_EQ(checks(), (Marks{true, false, true}));
    EXPECT_EQ(form->FileListBox1->mask(), "*.*");
    EXPECT_EQ(checkFilterText(*form), "*.doc");
    EXPECT_EQ(allFilterText(*form), "*.txt/*.doc");
}

TEST_F(SettingsFilterTest, StoredTextsOfTheFilterList) {
    TCopyForm& f = createForm();
    f.FilterCheckListBox->item(0)->setCheckState(Qt::Checked);
    // A list of more than one entry starts again from an unchecked "*.*".
    RebuildFilterList(f, "*.a/*.b/*.c", "*.a;*.c");
    EXPECT_EQ(filters(), (Texts{"*.*", "*.a", "*.b", "*.c"}));
    EXPECT_EQ(checks(), (Marks{false, true, false, true}));
    EXPECT_EQ(allFilterText(f), "*.a/*.b/*.c");
    // With "*.*" unchecked the stored check text is the mask itself.
    f.FileListBox1->setMask("*.b");
    EXPECT_EQ(checkFilterText(f), "*.b");
    f.FilterCheckListBox->item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(checkFilterText(f), "*.a;*.c");
    f.FilterCheckListBox->item(1)->setCheckState(Qt::Unchecked);
    f.FilterCheckListBox->item(3)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(checkFilterText(f), "");
    while (f.FilterCheckListBox->count() > 1) delete f.FilterCheckListBox->item(1);
    EXPECT_EQ(allFilterText(f), "");
}

TEST_F(SettingsFilterTest, DataFileExtensionsComeFromTxtFilter) {
    TCopyForm& f = createForm();
    f.TxtFilter = "*.txt;*.m3u";
    DeriveDataFileExtensions(f);
    EXPECT_EQ(f.DataFileExtensions, ".txt;.m3u;");
    f.TxtFilter = "";
    DeriveDataFileExtensions(f);
    EXPECT_EQ(f.DataFileExtensions, ";");
}

}  // namespace
