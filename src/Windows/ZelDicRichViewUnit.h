// The rich view: a view window whose page is a read-only rich-text control filled by
// streaming rich text between BeginRender and EndRender. It counts the characters it
// streams, so that its descendants can address them (the page view's hot spots), and it
// embeds token boxes (a word with its reading) and morph-info boxes (the reading's
// grammatical descriptions) as objects of the text, one character each.
#pragma once

#include "ZelDicViewUnit.h"
#include "ZelRichEdit.h"

#include <QFont>
#include <QString>

#include <string>
#include <vector>

class IZelDic;

// The caption of a word's token box: its reading, or what kind of token it is.
QString ZelTokenBoxCaption(IZelSentenceItem& item);

// A word and its reading in a box, bold, on a gradient from the button face to the window
// colour.
class TZelTokenBox : public TZelTextObject {
public:
    TZelTokenBox(IZelSentenceItem& item, const QFont& viewFont, const QPalette& palette,
                 bool gradient);

    QSizeF Size(double zoom) const override;
    void Paint(QPainter& painter, const QRectF& rect, double zoom) const override;
    QString Text() const override { return Caption; }
    IZelSentenceItem& Item() const { return *ItemShown; }

private:
    ZelRef<IZelSentenceItem> ItemShown;
    QString Caption;
    QFont Font;
    QSizeF NaturalSize;
    QColor Color, WindowColor, TextColor;
    bool Gradient;
};

// The descriptions of a reading, one per line, black on light yellow.
class TZelMorphInfoBox : public TZelTextObject {
public:
    TZelMorphInfoBox(const QString& caption, const QFont& viewFont);

    QSizeF Size(double zoom) const override;
    void Paint(QPainter& painter, const QRectF& rect, double zoom) const override;
    QString Text() const override { return Caption; }

private:
    QString Caption;
    QFont Font;
    QSizeF NaturalSize;
};

class TZelDicRichViewForm : public TZelDicViewForm {
    Q_OBJECT
public:
    TZelDicRichViewForm(const QString& defaultName, QWidget* parent = nullptr);
    ~TZelDicRichViewForm() override;

    // Word wrap and scroll bars follow the configuration's HorzScrollbar.
    void SetViewConfig(TZelDicViewConfig* config) override;
    void BeginRender() override;
    void EndRender() override;
    void ApplySettings() override;
    void SetContentVisible(bool visible) override;

    // Streams a fragment of an entry rendered by dic, counting its characters; its custom
    // tags go to OnCustomTag at the position they stand at. Raises an assertion failure
    // when the control holds another number of characters than counted.
    void AppendRtf(IZelDic* dic, const std::string& rtf);
    // Plain text, one character per UTF-16 unit (control characters left out).
    void AppendText(const std::u16string& text);
    void AppendParagraph();
    void AppendTokenBox(IZelSentenceItem& item);
    void AppendMorphInfo(IZelSentenceItem& item);
    // Embeds a picture file at its natural size; raises an error naming the file when it
    // cannot be read.
    void InsertPicture(const QString& fileName);
    // The word around a position of the page: [start, end), empty when the character there
    // is no word character.
    void WordAt(int position, int& start, int& end) const;
    static bool IsWordCharacter(QChar c);

    // The characters streamed so far (flushed or not).
    int Position() const { return CharPos; }
    TZelRichEdit* PageEdit() const { return Edit; }

protected:
    // A "\customName parameters" tag of an entry, at the page position it stands at.
    virtual void OnCustomTag(IZelDic* dic, const std::string& name,
                             const std::vector<std::string>& parameters, int position);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closes the groups left open in the buffer and streams it into the control.
    void Flush();

private:
    void CloseOpenGroups();
    void InsertObject(std::unique_ptr<TZelTextObject> object);
    void UpdateZoom();
    void LayoutPage();
    bool HasLines() const;

    TZelRichEdit* Edit;
    std::string Buffer; // rich text not yet streamed
    int CharPos = 0;
    int RequestedHeight = 0;
    bool Rendering = false;
    bool WaitCursor = false;
};
