#pragma once

namespace ze::panels {

// Lets the model's marked texts (refusals, problem messages) go through
// Qt's translators like the editor's own: a text shows in the language of
// the translators installed when it is made.
void TranslateUserTexts();

}  // namespace ze::panels
