// The studio's help: HTML pages in the documentation folder, one page per help topic number
// (topicNNN.html), a contents page (index.html) and a keyword index (keywords.html) backed by a
// plain list of keyword = page lines (keywords.txt), which keyword searches read.
//
// The help file of a language names the folder: a file path whose folder holds those pages (the
// default "%SRCDIR%/documentation/lmbhelp.hlp" names documentation/).
#pragma once

#include <QString>
#include <QUrl>

namespace shell {

class HelpSystem {
public:
    void setHelpFile(const QString& path);
    QString helpFolder() const { return m_folder; }

    QUrl contentsUrl() const;
    // The topic's page, or the contents when the topic has none.
    QUrl topicUrl(int topic) const;
    // The page of the first keyword that equals `word` (without regard to case), else of the
    // first that starts with it, else the keyword index.
    QUrl keywordUrl(const QString& word) const;
    // A document beside the help pages ("VCLHelp" opens VCLHelp.html).
    QUrl documentUrl(const QString& baseName) const;

private:
    QString m_folder;
};

} // namespace shell
