#include "platform/linux/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextStream>
#include <QTreeWidget>
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

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Dorvanquellis ヘルプ"));
    resize(760, 520);

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

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    loadContents();
    loadIndex();
    connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) open(item->data(0, kPageRole).toString());
    });
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
    if (!page.isEmpty()) browser_->setSource(QUrl(page));
}

void HelpWindow::showContentsPage() {
    tabs_->setCurrentIndex(0);
    if (contents_->topLevelItemCount() > 0) {
        contents_->setCurrentItem(contents_->topLevelItem(0));
        open(contents_->topLevelItem(0)->data(0, kPageRole).toString());
    }
}
