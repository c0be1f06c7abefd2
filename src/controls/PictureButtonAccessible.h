// What screen readers and automation tools see of a picture-button bar: one push button per picture.
#pragma once

// Registers the accessibility of picture-button bars once for the process. Each button is a
// push button named by its tool-tip text, with its disabled, pressed and (for a two-state
// button) checked state, and a press action that clicks it.
void InstallPictureButtonAccessibility();
