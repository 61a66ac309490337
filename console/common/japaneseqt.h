#pragma once

class QCoreApplication;

namespace console {

// Qt's own texts in Japanese (file dialogs, standard buttons, the edit menu
// of text boxes), from the system's Qt translations.  False when they are not
// installed; the program then shows Qt's English texts.
bool installJapaneseQtTexts(QCoreApplication &app);

} // namespace console
