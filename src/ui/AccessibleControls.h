#pragma once

class QWidget;

// What screen readers are told of the program's own controls: a picture button is a button whose press and toggle
// do what Space and Enter do, a label the mouse presses is a spin button or a button with the same steps and press
// as the mouse, and helpers are kept out of sight.
namespace AccessibleControls {

// Once for the program, before its windows are built.
void install();

// Keeps a control out of what screen readers present: a helper that only holds the focus, or a decoration. To be
// called before anything asks the control's accessibility.
void hideFromScreenReaders(QWidget* widget);

} // namespace AccessibleControls
