#pragma once

namespace tallimo {

// Qt's own Spanish texts (message box buttons, a text field's context menu),
// whatever the user's locale. false when the translations are not installed.
bool installSpanishTranslations();

} // namespace tallimo
