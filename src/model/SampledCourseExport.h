#pragma once

#include <string>

// The course as its sample rows, as JSON for engine scripts (checkpoints, racing lines,
// computer drivers): each row's segment, t, distance along the centre line, centre and
// edge positions, bank and half-widths, and the course's points, loop flag and width
// scale. Positions and lengths are in the exchange formats' axes and scale (the course's
// (x, y, z) × scale as (x, y, −z)), which the file states.
namespace SampledCourseExport {

// 0 when the whole file was written; 1 when it could not be, leaving any earlier file of
// that name as it was, with `failure` saying why in words for a message.
int Write(const char* fileName, double scale, std::string& failure);

} // namespace SampledCourseExport
