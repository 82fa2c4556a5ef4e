// How the workstation comes up, in order: the registries and the application data, the
// interface language, the product's builders, the splash (unless "ns"), the installed
// dictionaries (a failure is shown and ends the program before any window exists), the
// application's title and help file, the three data modules, the main window and the
// language-flag window. The splash closes at the main window's first idle moment.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TMainDataModule;
class TSplashForm;
class TZelASTDataModule;
class TZelFlagDataModule;
class TZelFlagHintForm;
class TZelNVMainForm;

class TZelNVStartup : public QObject {
    Q_OBJECT
public:
    TZelNVStartup();
    ~TZelNVStartup() override;

    // Called with the name of each step as it runs (a recording of the start-up for tests).
    std::function<void(const std::string& step)> OnStep;
    // The executable whose modules and pictures are used (tests set it).
    std::string ExecutablePath;
    // The version the interface-language module must carry.
    uint32_t Version;

    // Runs the start-up; false when it ended the program (its failure was shown).
    bool Start();
    // Start, then the event loop; the program's exit status.
    int Run();

    TMainDataModule* DataModule() const { return DataModulePtr.get(); }
    TZelNVMainForm* MainForm() const { return MainFormPtr.get(); }
    TSplashForm* Splash() const { return SplashPtr.get(); }

private:
    void Step(const char* name);
    void CloseSplash();
    // Says on the standard output that the program is up, once its window shows, and ends it.
    void QuitWhenShown(int triesLeft);

    std::unique_ptr<TSplashForm> SplashPtr;
    std::unique_ptr<TMainDataModule> DataModulePtr;
    std::unique_ptr<TZelFlagDataModule> FlagModulePtr;
    std::unique_ptr<TZelASTDataModule> ASTModulePtr;
    std::unique_ptr<TZelNVMainForm> MainFormPtr;
    std::unique_ptr<TZelFlagHintForm> FlagHintPtr;
};
