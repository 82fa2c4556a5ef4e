// A main window that edits one document: New, Open (with the recent files), Save, Save As,
// files dropped on the window or named on the command line, the Edit commands, the
// registration as the desktop's default editor of the document's kind of file, and a guard
// that offers to save changes before they would be lost.
#pragma once

#include "ZelBaseAppUnit.h"
#include "ZelDoc.h"

#include <QStringList>

class QLabel;
class TZelEditActions;

class TZelDocAppForm : public TZelBaseAppForm {
    Q_OBJECT
public:
    explicit TZelDocAppForm(const QString& name, QWidget* parent = nullptr);
    ~TZelDocAppForm() override;

    IZelDoc* Doc() const { return Document.get(); }
    // Offers to save a modified document: false when the user cancels. A document with a
    // file joins the recent files.
    virtual bool CheckSave();
    void OpenFile(const QString& fileName, bool readOnly = false, int filterIndex = 0);
    // The file the command line names (the first argument that is no switch), or empty.
    static QString CommandLineFile();
    const QStringList& RecentFiles() const { return Recent; }
    // The status bar's panels (0: the hints, 1: "Modified" / "Read Only" ...).
    QLabel* StatusPanel(int index) const;

    void LoadSettings(TZelSettingsKey& key) override;
    void SaveSettings(TZelSettingsKey& key) override;

    // The dialogs' answers, for tests: a file name to open or save as (empty: cancel).
    std::function<QString(bool save)> OnChooseFile;
    // The answer to "Save changes…?": QMessageBox::Yes, No or Cancel.
    std::function<int(const QString& question)> OnAskSave;

protected:
    virtual ZelRef<IZelDoc> CreateDoc() = 0;
    virtual void OnClipboardChanged() {}
    virtual void UpdateCaption();
    virtual void UpdateModified();
    // Creates the document and opens the command line's file, or a new document.
    void Prepare() override;
    bool CanClose() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Status bar panels after the first: their widths.
    void SetStatusPanels(const std::vector<int>& widths);
    TZelEditActions* EditActions() const { return EditCommands; }
    // File New: a new document (a window with other work areas clears what it shows).
    virtual void FileNew();
    // Whether Open, Save and Save As work now (a window whose text is not always shown
    // turns them off), and bringing the actions in line with it.
    virtual bool DocumentActionsAvailable() const { return true; }
    void UpdateDocumentActions();

private:
    void CreateActions();
    void BuildMenusAndToolbar();
    void NewDocument();
    void OpenDocument();
    bool SaveDocument();
    bool SaveDocumentAs();
    void AddRecentFile(const QString& fileName);
    void FillRecentMenu(QMenu* menu);
    void UpdateSaveAction();
    void ToggleDefaultEditor(bool on);
    bool Guarded(const std::function<void()>& step);

    ZelRef<IZelDoc> Document;
    QString BaseCaption;
    bool ShownModified = false;
    QStringList Recent;
    QMenu* Reopen = nullptr;
    QMenu* OpenDropDown = nullptr;
    TZelEditActions* EditCommands = nullptr;
    std::vector<QLabel*> Panels;
};
