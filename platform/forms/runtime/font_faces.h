#pragma once
// The faces the forms name and the faces drawn for them. The forms were laid
// out for the classic desktop faces; where those are not installed, faces
// with the same character widths stand in, so that captions fit their
// controls as they were designed to.
namespace forms::detail {

// Registers the stand-ins with Qt's font matching and makes the forms'
// default face, at its size, the application's font (menus, message boxes
// and anything else drawn by the toolkit). Once per process; needs the Qt
// application.
void InstallFontFaces();

}  // namespace forms::detail
