#pragma once

#include "platform/Windows.h"

// The bar of two bitmap buttons across the top of the perspective window: wireframe or
// textured drawing. It keeps which of the two is current and shows it pressed; a press
// makes that button current and has every shown view redrawn.
namespace PerspecButton {

enum ButtonId { WireframeButton = 123, TextureButton = 124 };

constexpr const char* ClassName = "BaseWindow_perspecbutton1";

// Registers the bar's class and makes the bar and its buttons in the parent; the
// wireframe button starts current.
void Create(platform::WindowHandle parent);
// Destroys both buttons and the bar and unregisters the class.
void Destroy();

// Shows the current button pressed and the other raised.
void UpdateButtons();
// The current button's identifier: WireframeButton or TextureButton.
int GetMode();
int GetBarHeight();
void Move(int x, int y, int width, int height);

// The bar window and the button of an identifier (0 for any other), for tests.
platform::WindowHandle GetBar();
platform::WindowHandle GetButton(int identifier);

} // namespace PerspecButton
