// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The bundled help: every page named by the contents, the index and the
// pages' own links must exist, and every #anchor must exist in its page.
#include <algorithm>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextStream>
#include <QUrl>
#include <gtest/gtest.h>

#include "app/CopyForm.h"
#include "support/TestEnvironment.h"

namespace {

// The lines the help window reads: blank lines and # comments skipped.
QStringList helpLines(const QString& path) {
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

QString pagePart(const QString& target) { return target.section('#', 0, 0); }
QString anchorPart(const QString& target) { return target.section('#', 1); }

bool pageExists(const QString& page) {
    return !page.isEmpty() && QFile::exists(QStringLiteral(":/help/") + page);
}

struct LoadedPage {
    QSet<QString> anchors;
    QStringList links;
    QString text;
};

// Loads a page the way the help window shows it and collects its anchors and links.
LoadedPage loadPage(const QString& page) {
    QTextBrowser browser;
    browser.setSearchPaths({QStringLiteral(":/help")});
    browser.setSource(QUrl(page));
    LoadedPage result;
    const QTextDocument* doc = browser.document();
    result.text = doc->toPlainText();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& name : format.anchorNames()) result.anchors.insert(name);
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                result.links << format.anchorHref();
        }
    }
    return result;
}

QStringList resourcePages() {
    return QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}, QDir::Files);
}

// Checks one link target ("page.html", "page.html#anchor" or "#anchor" within from).
void expectTargetResolves(const QString& target, const QString& from) {
    const QString page = pagePart(target).isEmpty() ? from : pagePart(target);
    ASSERT_TRUE(pageExists(page)) << "missing page " << page.toStdString() << " (from "
                                  << from.toStdString() << ")";
    const QString anchor = anchorPart(target);
    if (anchor.isEmpty()) return;
    EXPECT_TRUE(loadPage(page).anchors.contains(anchor))
        << "missing anchor " << target.toStdString() << " (from " << from.toStdString() << ")";
}

class HelpContentTest : public PlatformTest {};

TEST_F(HelpContentTest, ContentsLinesNameExistingPages) {
    const QStringList lines = helpLines(QStringLiteral(":/help/contents.tsv"));
    ASSERT_FALSE(lines.isEmpty());
    for (const QString& line : lines) {
        const QStringList f = line.split('\t');
        ASSERT_EQ(f.size(), 3) << line.toStdString();
        EXPECT_TRUE(f[0] == QLatin1String("0") || f[0] == QLatin1String("1")) << line.toStdString();
        EXPECT_FALSE(f[1].trimmed().isEmpty()) << line.toStdString();
        expectTargetResolves(f[2], QStringLiteral("contents.tsv"));
    }
}

TEST_F(HelpContentTest, IndexKeywordsPointAtExistingPagesAndAnchors) {
    const QStringList lines = helpLines(QStringLiteral(":/help/index.tsv"));
    ASSERT_FALSE(lines.isEmpty());
    QSet<QString> keywords;
    for (const QString& line : lines) {
        const QStringList f = line.split('\t');
        ASSERT_EQ(f.size(), 2) << line.toStdString();
        EXPECT_FALSE(keywords.contains(f[0])) << "keyword listed twice: " << f[0].toStdString();
        keywords.insert(f[0]);
        expectTargetResolves(f[1], QStringLiteral("index.tsv"));
    }
}

TEST_F(HelpContentTest, EveryLinkInEveryPageResolves) {
    const QStringList pages = resourcePages();
    ASSERT_FALSE(pages.isEmpty());
    for (const QString& page : pages) {
        for (const QString& link : loadPage(page).links) {
            const QUrl url(link);
            if (!url.scheme().isEmpty()) continue;  // external links are the browser's business
            expectTargetResolves(link, page);
        }
    }
}

TEST_F(HelpContentTest, EveryPageIsInTheContentsAndReadsAsJapanese) {
    QSet<QString> listed;
    for (const QString& line : helpLines(QStringLiteral(":/help/contents.tsv")))
        listed.insert(pagePart(line.section('\t', 2, 2)));
    for (const QString& page : resourcePages()) {
        EXPECT_TRUE(listed.contains(page)) << page.toStdString() << " is not in the contents";
        const QString text = loadPage(page).text;
        // A page decoded with the wrong encoding has no kana and may hold U+FFFD.
        const bool hasKana = std::any_of(text.begin(), text.end(), [](QChar c) {
            return c.unicode() >= 0x3040 && c.unicode() <= 0x30FF;
        });
        EXPECT_TRUE(hasKana) << page.toStdString();
        EXPECT_FALSE(text.contains(QChar(0xFFFD))) << page.toStdString();
    }
}

// Every command is built: no page may still say one is not in this version.
TEST_F(HelpContentTest, NoCommandIsMarkedAsNotInThisVersion) {
    for (const QString& page : resourcePages())
        EXPECT_FALSE(loadPage(page).text.contains(QStringLiteral("このバージョンではまだ使えません")))
            << page.toStdString();
}

}  // namespace
