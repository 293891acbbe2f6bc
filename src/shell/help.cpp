// Help pages and the keyword list.
#include "shell/help.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace shell {

void HelpSystem::setHelpFile(const QString& path)
{
    const QFileInfo info(path);
    m_folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

QUrl HelpSystem::contentsUrl() const
{
    return QUrl::fromLocalFile(QDir(m_folder).filePath("index.html"));
}

QUrl HelpSystem::topicUrl(int topic) const
{
    const QString page = QDir(m_folder).filePath(QString("topic%1.html").arg(topic, 3, 10, QLatin1Char('0')));
    return QFileInfo::exists(page) ? QUrl::fromLocalFile(page) : contentsUrl();
}

QUrl HelpSystem::keywordUrl(const QString& word) const
{
    const QString wanted = word.trimmed();
    const QDir dir(m_folder);
    QFile list(dir.filePath("keywords.txt"));
    QString exact, prefix;
    if (!wanted.isEmpty() && list.size() < (4 << 20) && list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&list);
        while (!in.atEnd() && exact.isEmpty()) {
            const QString line = in.readLine();
            const int eq = line.indexOf(QLatin1Char('='));
            if (eq <= 0 || line.startsWith(QLatin1Char(';')))
                continue;
            const QString keyword = line.left(eq).trimmed();
            const QString page = line.mid(eq + 1).trimmed();
            // Pages named in the list stay inside the help folder.
            if (page.isEmpty() || page.contains(QLatin1String("..")) || QDir::isAbsolutePath(page))
                continue;
            if (keyword.compare(wanted, Qt::CaseInsensitive) == 0)
                exact = page;
            else if (prefix.isEmpty() && keyword.startsWith(wanted, Qt::CaseInsensitive))
                prefix = page;
        }
    }
    const QString page = !exact.isEmpty() ? exact : prefix;
    if (!page.isEmpty()) {
        const int hash = page.indexOf(QLatin1Char('#'));
        QUrl url = QUrl::fromLocalFile(dir.filePath(hash < 0 ? page : page.left(hash)));
        if (hash >= 0)
            url.setFragment(page.mid(hash + 1));
        return url;
    }
    return QUrl::fromLocalFile(dir.filePath("keywords.html"));
}

QUrl HelpSystem::documentUrl(const QString& baseName) const
{
    return QUrl::fromLocalFile(QDir(m_folder).filePath(baseName + ".html"));
}

} // namespace shell
