#pragma once
// The view's operations on the application state and the off-screen panels.
// One renderer makes what the view shows and what the capture takes.
#include "state/app_state.h"
#include "workspace/workspace.h"

#include <QSize>

// Gives the image and view panels the view's size, blank.
void ResizeViewPanels(Workspace& ws, QSize viewSize);

// Clears the image and view panels to the background colour.
void ClearViewPanels(Workspace& ws);

// The size of the whole current picture, also while a reduced copy stands in for it.
QSize PictureSize(const ViewState& view);

// Whether the shown scale needs more pixels than the reduced copy holds.
bool NeedsWholePicture(const ViewState& view);

// Lays out the current picture at the view scale and shows it.
void RenderView(AppState& state, Workspace& ws);

// A scroll bar moved: shows the picture from the new positions.
void ScrollView(AppState& state, Workspace& ws, int hPosition, int vPosition);

// Copies the image panel onto the view panel and draws the frame outline.
void RefreshView(const AppState& state, Workspace& ws);

// Multiplies the view scale by `factor` and renders. A zoom that would make
// the scaled picture larger than memory allows is refused (returns false).
bool ZoomView(AppState& state, Workspace& ws, double factor);

// Makes the view's rendition the current picture at scale 1.
void BakeView(AppState& state, Workspace& ws);

// Draws the outline one pixel outside the frame's inner rectangle.
void DrawFrameOutline(const AppState& state, QImage& view, const QColor& colour);

// The pixels the view shows inside the frame (outline excluded), one view
// pixel per output pixel. Parts of the frame outside the view are taken from
// the scaled picture where it extends there, elsewhere from the background.
QImage CaptureFrameImage(const AppState& state, const Workspace& ws);
