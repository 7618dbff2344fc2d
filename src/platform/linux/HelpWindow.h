#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

// A help window: contents and index on the left, the page on the right.
// Pages and their lists come from the resource folder :/help.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showContentsPage();
    QTreeWidget* contents() const { return contents_; }
    QListWidget* index() const { return index_; }
    QTextBrowser* browser() const { return browser_; }

private:
    void loadContents();
    void loadIndex();
    void filterIndex(const QString& text);
    void open(const QString& page);

    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QLineEdit* indexFilter_;
    QListWidget* index_;
    QTextBrowser* browser_;
};
