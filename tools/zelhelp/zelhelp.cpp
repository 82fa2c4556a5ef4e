// zelhelp: writes the program's help files from their source, one HTML file per language:
// the title, the introduction, the contents, then each chapter with its topics, every
// topic under the anchor "LDH_" + its number (or its name for a topic without one).
//
//   zelhelp SOURCE.xml OUTDIR     writes OUTDIR/nv_eng.html and OUTDIR/nv_ita.html
#include <QDomDocument>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

struct TLanguage {
    const char* Code;     // "en", "it": the element and attribute names of the source
    const char* FileName; // the help file written
    const char* Contents; // the heading of the contents
};

const TLanguage Languages[] = {{"en", "nv_eng.html", "Contents"},
                               {"it", "nv_ita.html", "Sommario"}};

QString Escape(const QString& text) {
    return text.toHtmlEscaped();
}

// The children of an element as HTML, written as they stand in the source.
QString InnerHtml(const QDomElement& element) {
    QString html;
    QTextStream out(&html);
    for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling())
        child.save(out, -1);
    return html.trimmed();
}

QString AnchorOf(const QDomElement& topic) {
    return topic.hasAttribute("id") ? "LDH_" + topic.attribute("id") : topic.attribute("name");
}

bool Fail(const QString& message) {
    std::fprintf(stderr, "zelhelp: %s\n", qPrintable(message));
    return false;
}

bool Write(const QDomElement& help, const TLanguage& language, const QString& folder) {
    QString code = language.Code;
    QString title = Escape(help.firstChildElement("title").attribute(code));
    QString contents = "<ul class=\"contents\">\n";
    QString body;
    int chapterNumber = 0;
    for (QDomElement chapter = help.firstChildElement("chapter"); !chapter.isNull();
         chapter = chapter.nextSiblingElement("chapter")) {
        QString chapterAnchor = "chapter-" + QString::number(++chapterNumber);
        QString chapterTitle = Escape(chapter.attribute(code));
        contents += "<li><a href=\"#" + chapterAnchor + "\">" + chapterTitle + "</a><ul>\n";
        body += "<h2 id=\"" + chapterAnchor + "\"><a name=\"" + chapterAnchor + "\"></a>" +
                chapterTitle + "</h2>\n";
        for (QDomElement topic = chapter.firstChildElement("topic"); !topic.isNull();
             topic = topic.nextSiblingElement("topic")) {
            QDomElement text = topic.firstChildElement(code);
            QString anchor = AnchorOf(topic);
            if (text.isNull() || text.attribute("title").isEmpty() || InnerHtml(text).isEmpty())
                return Fail("topic " + anchor + " has no " + code + " text");
            QString topicTitle = Escape(text.attribute("title"));
            contents += "<li><a href=\"#" + anchor + "\">" + topicTitle + "</a></li>\n";
            // The anchor twice: "id" for browsers, "name" for Qt's help window.
            body += "<h3 id=\"" + anchor + "\"><a name=\"" + anchor + "\"></a>" + topicTitle +
                    "</h3>\n" + InnerHtml(text) + "\n";
        }
        contents += "</ul></li>\n";
    }
    contents += "</ul>\n";
    QString intro = InnerHtml(help.firstChildElement("intro").firstChildElement(code));
    QString page = "<!DOCTYPE html>\n<html lang=\"" + code +
                   "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
                   "</title>\n<style>\nbody { font-family: sans-serif; margin: 1em 2em; }\n"
                   "h2 { border-bottom: 1px solid #99a; margin-top: 1.6em; }\n"
                   "h3 { color: #123a7a; margin-bottom: 0.2em; }\n"
                   "ul.contents { line-height: 1.4; }\n</style>\n</head>\n<body>\n<h1>" +
                   title + "</h1>\n" + intro + "\n<h2 id=\"contents\"><a name=\"contents\"></a>" +
                   language.Contents + "</h2>\n" + contents + body + "</body>\n</html>\n";
    QSaveFile file(folder + "/" + language.FileName);
    if (!file.open(QIODevice::WriteOnly))
        return Fail("cannot write " + file.fileName());
    file.write(page.toUtf8());
    return file.commit() || Fail("cannot write " + file.fileName());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("Usage: zelhelp SOURCE.xml OUTDIR\n", stderr);
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly))
        return Fail(QString("cannot read ") + argv[1]), 1;
    QDomDocument document;
    QString error;
    int line = 0;
    if (!document.setContent(&source, &error, &line))
        return Fail(QString("%1:%2: %3").arg(argv[1]).arg(line).arg(error)), 1;
    for (const TLanguage& language : Languages)
        if (!Write(document.documentElement(), language, QString::fromLocal8Bit(argv[2])))
            return 1;
    return 0;
}
