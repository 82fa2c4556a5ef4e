// The program's help file: an HTML page whose topics are headings with the anchor "LDH_" +
// a help context number (or a name), each followed by its paragraphs. Reads the topics
// for the help browser, the search, and the "What's this?" popups (a topic's first
// paragraph).
#pragma once

#include <QString>

#include <map>
#include <memory>
#include <vector>

class TZelHelpFile {
public:
    struct TTopic {
        QString Anchor;  // "LDH_10103"
        QString Title;   // plain text
        QString Html;    // the topic's paragraphs
        QString Text;    // the same as plain text, for the search
        QString Chapter; // the title of its chapter
    };

    // Reads the file; false when it cannot be read.
    bool Load(const QString& path);
    const QString& Path() const { return FilePath; }
    const QString& Html() const { return Page; }
    const QString& Title() const { return PageTitle; }
    const std::vector<TTopic>& Topics() const { return TopicList; }
    // The topic of a help context, or nullptr.
    const TTopic* Topic(int context) const;
    const TTopic* TopicByAnchor(const QString& anchor) const;
    // The topic's title and first paragraph, as rich text for a popup; empty when there is
    // no such topic.
    QString PopupText(int context) const;
    // The topics whose text holds every word of the query (ignoring case and accents), in
    // the file's order.
    std::vector<const TTopic*> Search(const QString& query) const;

private:
    QString FilePath;
    QString Page;
    QString PageTitle;
    std::vector<TTopic> TopicList;
    std::map<QString, size_t> ByAnchor;
};

// The help file at a path, read once (nullptr when it cannot be read).
std::shared_ptr<const TZelHelpFile> ZelHelpFileAt(const QString& path);
