// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QAction;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

// A help window: contents and index on the left, the page on the right,
// Back and Forward above them. The contents follow the page shown, however
// it was reached. Pages and their lists come from the resource folder :/help.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showContentsPage();
    // page: a page of the help, maybe with an anchor.
    void showPage(const QString& page);
    QTreeWidget* contents() const { return contents_; }
    QListWidget* index() const { return index_; }
    QTextBrowser* browser() const { return browser_; }
    QAction* backAction() const { return back_; }
    QAction* forwardAction() const { return forward_; }

private:
    void loadContents();
    void loadIndex();
    void filterIndex(const QString& text);
    void open(const QString& page);
    void followPage(const QUrl& source);
    // The highlighted entry when it shows page, else the deepest entry that does.
    QTreeWidgetItem* contentsItemOf(const QString& page) const;

    QAction* back_;
    QAction* forward_;
    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QLineEdit* indexFilter_;
    QListWidget* index_;
    QTextBrowser* browser_;
};
