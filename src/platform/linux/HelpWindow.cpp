// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/HelpWindow.h"

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextStream>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

constexpr int kPageRole = Qt::UserRole;

QStringList resourceLines(const QString& path) {
    QFile file(path);
    QStringList lines;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return lines;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.trimmed().isEmpty() && !line.startsWith('#')) lines << line;
    }
    return lines;
}

// "page.html" of "page.html#anchor" or of a resolved URL.
QString pageOf(const QString& target) {
    return target.section('#', 0, 0).section('/', -1);
}

QAction* historyAction(const QString& text, QStyle::StandardPixmap icon, Qt::Key arrow,
                       const char* name, QWidget* window) {
    auto* a = new QAction(window->style()->standardIcon(icon), text, window);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcut(QKeySequence(Qt::ALT | arrow));
    a->setToolTip(text + QStringLiteral(" (") + a->shortcut().toString(QKeySequence::NativeText) +
                  ')');
    a->setEnabled(false);
    return a;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Dorvanquellis ヘルプ"));
    resize(760, 520);

    back_ = historyAction(QStringLiteral("戻る"), QStyle::SP_ArrowBack, Qt::Key_Left, "HelpBack",
                          this);
    forward_ = historyAction(QStringLiteral("進む"), QStyle::SP_ArrowForward, Qt::Key_Right,
                             "HelpForward", this);
    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("HelpToolBar"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->addAction(back_);
    toolBar->addAction(forward_);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    tabs_ = new QTabWidget(splitter);
    contents_ = new QTreeWidget(tabs_);
    contents_->setObjectName(QStringLiteral("HelpContents"));
    contents_->setAccessibleName(QStringLiteral("目次"));
    contents_->header()->hide();
    tabs_->addTab(contents_, QStringLiteral("目次(&C)"));

    auto* indexPage = new QWidget(tabs_);
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(2, 2, 2, 2);
    indexFilter_ = new QLineEdit(indexPage);
    indexFilter_->setObjectName(QStringLiteral("HelpIndexFilter"));
    indexFilter_->setPlaceholderText(QStringLiteral("キーワードを入力"));
    indexFilter_->setAccessibleName(QStringLiteral("キーワード"));
    index_ = new QListWidget(indexPage);
    index_->setObjectName(QStringLiteral("HelpIndex"));
    index_->setAccessibleName(QStringLiteral("索引"));
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index_);
    tabs_->addTab(indexPage, QStringLiteral("索引(&I)"));

    browser_ = new QTextBrowser(splitter);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setAccessibleName(QStringLiteral("ヘルプの本文"));
    browser_->setSearchPaths({QStringLiteral(":/help")});
    browser_->setOpenExternalLinks(true);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 540});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(splitter, 1);

    loadContents();
    loadIndex();
    connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) open(item->data(0, kPageRole).toString());
    });
    // The highlighted entry opens again: the page may have scrolled to an anchor.
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { open(item->data(0, kPageRole).toString()); });
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::followPage);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(index_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { open(item->data(kPageRole).toString()); });
    connect(index_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { open(item->data(kPageRole).toString()); });
    connect(indexFilter_, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    connect(indexFilter_, &QLineEdit::returnPressed, this, [this] {
        for (int i = 0; i < index_->count(); ++i)
            if (!index_->item(i)->isHidden()) return open(index_->item(i)->data(kPageRole).toString());
    });
}

void HelpWindow::loadContents() {
    // Lines: depth <tab> title <tab> page
    QList<QTreeWidgetItem*> parents;
    for (const QString& line : resourceLines(QStringLiteral(":/help/contents.tsv"))) {
        const QStringList f = line.split('\t');
        if (f.size() < 3) continue;
        const int depth = qMax(0, f[0].toInt());
        while (parents.size() > depth) parents.removeLast();
        auto* item = parents.isEmpty() ? new QTreeWidgetItem(contents_)
                                       : new QTreeWidgetItem(parents.last());
        item->setText(0, f[1]);
        item->setData(0, kPageRole, f[2]);
        parents.append(item);
    }
    contents_->expandAll();
}

void HelpWindow::loadIndex() {
    // Lines: keyword <tab> page
    for (const QString& line : resourceLines(QStringLiteral(":/help/index.tsv"))) {
        const QStringList f = line.split('\t');
        if (f.size() < 2) continue;
        auto* item = new QListWidgetItem(f[0], index_);
        item->setData(kPageRole, f[1]);
    }
    index_->sortItems();
}

void HelpWindow::filterIndex(const QString& text) {
    for (int i = 0; i < index_->count(); ++i) {
        QListWidgetItem* item = index_->item(i);
        item->setHidden(!item->text().contains(text, Qt::CaseInsensitive));
    }
}

void HelpWindow::open(const QString& page) {
    if (!page.isEmpty() && browser_->source() != QUrl(page)) browser_->setSource(QUrl(page));
}

QTreeWidgetItem* HelpWindow::contentsItemOf(const QString& page) const {
    QTreeWidgetItem* current = contents_->currentItem();
    if (current && pageOf(current->data(0, kPageRole).toString()) == page) return current;
    // A chapter and its first section may share a page: the section names it.
    QTreeWidgetItem* found = nullptr;
    int foundDepth = -1;
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        if (pageOf((*it)->data(0, kPageRole).toString()) != page) continue;
        int depth = 0;
        for (const QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent()) ++depth;
        if (depth > foundDepth) {
            found = *it;
            foundDepth = depth;
        }
    }
    return found;
}

void HelpWindow::followPage(const QUrl& source) {
    QTreeWidgetItem* item = contentsItemOf(pageOf(source.toString()));
    const QSignalBlocker quiet(contents_);  // selecting the entry must not open its page
    if (!item) {
        contents_->setCurrentItem(nullptr);
        contents_->clearSelection();
        return;
    }
    contents_->setCurrentItem(item);
    contents_->scrollToItem(item);
}

void HelpWindow::showPage(const QString& page) {
    tabs_->setCurrentIndex(0);
    open(page);
}

void HelpWindow::showContentsPage() {
    tabs_->setCurrentIndex(0);
    if (contents_->topLevelItemCount() > 0) {
        contents_->setCurrentItem(contents_->topLevelItem(0));
        open(contents_->topLevelItem(0)->data(0, kPageRole).toString());
    }
}
