#pragma once

#include "model/CourseAnalysis.h"

#include <span>

class CameraControl;

// What the designer draws over the views to point things out: rings where the course
// check found a fault, and the curvature comb along the centre line.
namespace CourseOverlay {

// The ring's radius in pixels.
constexpr int MarkRadius = 9;
// The longest tooth of the comb, at the course's tightest bend, in pixels.
constexpr int CombReach = 40;
// Teeth per segment.
constexpr int CombTeeth = 16;

// A ring at each warning's place in the top view: on the folding edge for an edge fold,
// on the centre line otherwise.
void DrawWarnings(CameraControl& camera, std::span<const CourseAnalysis::Warning> warnings);
// A ring at each edge fold's place on its side of the developed course strip.
void DrawDevelopedFolds(CameraControl& camera, std::span<const CourseAnalysis::Warning> warnings);
// Teeth across the centre line in the top view, each as long as the bend is tight there
// and pointing away from the bend's centre, their tips joined.
void DrawComb(CameraControl& camera);

} // namespace CourseOverlay
