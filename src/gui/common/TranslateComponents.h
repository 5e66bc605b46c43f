#pragma once

class QObject;

// The translation pass over a window or panel: every caption, hint, column
// title and combo box entry written as "#KEY" is replaced by the text of KEY.
// Texts that do not start with "#", or name a key the table lacks, stay as
// they are. Called once for each window and panel, right after creation.
void TranslateComponents(QObject* owner);
