#pragma once

class QLineEdit;

// Lets a box that the settings file keeps take only characters the file can hold, so that what the box shows is
// what comes back at the next start. A character it refuses is named in a tip under the box.
void acceptOnlyStorableText(QLineEdit* box);
