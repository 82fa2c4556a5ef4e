// The look-up window of a product for two languages that translate into each other: two
// large source-language buttons down the left edge instead of the language menus, Insert
// Annotation with the annotation editor, the companion launcher, the publisher's home page,
// and Headword List on a first start.
#pragma once

#include "ZelDicLookUnit.h"

#include <functional>

class QButtonGroup;
class QToolButton;

class TZelSlv2MainForm : public TZelDicLookForm {
    Q_OBJECT
public:
    explicit TZelSlv2MainForm(const QString& name, QWidget* parent = nullptr);

    void LoadDefaults() override;
    // The companion program (none here; the product names its own).
    virtual QString GetCompanionPath() const { return {}; }
    // The publisher's home page (set at build time).
    static QString PublisherPage();

    // Insert Annotation: the note of the unit shown, edited.
    void InsertAnnotation();
    // Starts the companion program; its failure is shown.
    void RunQuickAnswer();

    QToolButton* LanguageButton(int index) const;
    // The annotation editor: the note in, the edited note out (the current one on Cancel).
    // The default shows the "Annotation Editor" dialog; tests put their own here.
    std::function<QString(const QString& note)> OnEditAnnotation;

protected:
    void BuildSourceLanguageMenu() override;
    void LangConfigLoaded() override;

private:
    void CreateProductActions();
    void UpdateInsertAnnotation();

    QButtonGroup* LanguageButtons;
};

// The modal "Annotation Editor": the note in the default text font, all of it selected;
// Ok gives the edited text, Cancel the note unchanged.
QString ZelEditAnnotation(QWidget* parent, const QString& note);
