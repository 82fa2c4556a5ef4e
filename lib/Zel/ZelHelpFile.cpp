#include "ZelHelpFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <mutex>

namespace {

QString PlainText(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

// Lower case without accents, so that "perche" finds "perché".
QString Folded(const QString& text) {
    QString decomposed = text.toLower().normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            out += c;
    return out;
}

} // namespace

bool TZelHelpFile::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    FilePath = path;
    Page = QString::fromUtf8(file.readAll());
    TopicList.clear();
    ByAnchor.clear();
    static const QRegularExpression title("<title>(.*?)</title>",
                                          QRegularExpression::DotMatchesEverythingOption);
    PageTitle = PlainText(title.match(Page).captured(1));
    // Headings: chapters (h2) and topics (h3); a topic runs to the next heading.
    static const QRegularExpression heading("<h([23]) id=\"([^\"]+)\">(.*?)</h[23]>",
                                            QRegularExpression::DotMatchesEverythingOption);
    QString chapter;
    auto matches = heading.globalMatch(Page);
    std::vector<QRegularExpressionMatch> found;
    while (matches.hasNext())
        found.push_back(matches.next());
    for (size_t i = 0; i < found.size(); ++i) {
        const QRegularExpressionMatch& match = found[i];
        QString name = PlainText(match.captured(3));
        if (match.captured(1) == "2") {
            chapter = name;
            continue;
        }
        qsizetype start = match.capturedEnd();
        qsizetype end =
            i + 1 < found.size() ? found[i + 1].capturedStart() : Page.indexOf("</body>", start);
        if (end < 0)
            end = Page.size();
        TTopic topic;
        topic.Anchor = match.captured(2);
        topic.Title = name;
        topic.Html = Page.mid(start, end - start).trimmed();
        topic.Text = PlainText(topic.Html);
        topic.Chapter = chapter;
        ByAnchor[topic.Anchor] = TopicList.size();
        TopicList.push_back(std::move(topic));
    }
    return true;
}

const TZelHelpFile::TTopic* TZelHelpFile::TopicByAnchor(const QString& anchor) const {
    auto found = ByAnchor.find(anchor);
    return found == ByAnchor.end() ? nullptr : &TopicList[found->second];
}

const TZelHelpFile::TTopic* TZelHelpFile::Topic(int context) const {
    return TopicByAnchor("LDH_" + QString::number(context));
}

QString TZelHelpFile::PopupText(int context) const {
    const TTopic* topic = Topic(context);
    if (!topic)
        return {};
    static const QRegularExpression paragraph("<p>(.*?)</p>",
                                              QRegularExpression::DotMatchesEverythingOption);
    return "<p><b>" + topic->Title.toHtmlEscaped() + "</b></p><p>" +
           paragraph.match(topic->Html).captured(1) + "</p>";
}

std::vector<const TZelHelpFile::TTopic*> TZelHelpFile::Search(const QString& query) const {
    QStringList words = Folded(query).split(QRegularExpression("\\W+"), Qt::SkipEmptyParts);
    std::vector<const TTopic*> result;
    if (words.isEmpty())
        return result;
    for (const TTopic& topic : TopicList) {
        QString text = Folded(topic.Title + " " + topic.Text);
        bool all = true;
        for (const QString& word : words)
            all = all && text.contains(word);
        if (all)
            result.push_back(&topic);
    }
    return result;
}

std::shared_ptr<const TZelHelpFile> ZelHelpFileAt(const QString& path) {
    static std::mutex lock;
    static std::map<QString, std::shared_ptr<const TZelHelpFile>> files;
    std::lock_guard<std::mutex> guard(lock);
    auto found = files.find(path);
    if (found != files.end())
        return found->second;
    auto file = std::make_shared<TZelHelpFile>();
    std::shared_ptr<const TZelHelpFile> result = file->Load(path) ? file : nullptr;
    if (result)
        files[path] = result;
    return result;
}
