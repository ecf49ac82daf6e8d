#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "editor/app/interface_language.h"
#include "editor/app/main_frame.h"
#include "editor/res/strings.h"
#include "editor/res/ui_text.h"

// Settings > "语言 / Language": "中文" and "English", checked for the kept choice (else the
// language shown). A change is kept for the next start, and the status bar says so.
void CMainFrame::CreateLanguageMenu() {
  QMenu* settings_menu = menuBar()->findChild<QMenu*>("settingsMenu");
  QMenu* languages = AddMenu(settings_menu, res::kLanguageMenu);
  languages->setObjectName("languageMenu");
  auto* group = new QActionGroup(languages);
  const QString chosen = ChosenInterfaceLanguage();
  const QString checked = chosen.isEmpty() ? InterfaceLanguage() : chosen;
  const struct {
    const char* language;
    const char* name;
    const char* prompt;
  } items[] = {{kChineseLanguage, res::kChineseLanguageName, res::kChineseLanguagePrompt},
               {kEnglishLanguage, res::kEnglishLanguageName, res::kEnglishLanguagePrompt}};
  for (const auto& item : items) {
    // A language's name reads in that language, whatever the interface shows.
    QAction* action = languages->addAction(QString::fromUtf8(item.name));
    action->setObjectName(QString("language_") + item.language);
    action->setStatusTip(UiText::tr(item.prompt));
    action->setCheckable(true);
    action->setChecked(checked == item.language);
    group->addAction(action);
    const QString language = item.language;
    connect(action, &QAction::triggered, this, [this, language] {
      ChooseInterfaceLanguage(language);
      ShowPrompt(UiText::tr(res::kLanguageAtNextStart));
    });
  }
}
