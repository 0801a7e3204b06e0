#pragma once

#include "model/StraightDataBase.h"

#include <cstdint>
#include <span>

struct SplinePoint {
    double value;
    double tangent;
    int32_t property;
};

// Coefficients of v(t) = a + b·t + c·t² + d·t³.
struct SplineSegment {
    double a, b, c, d;

    // Position 1..4 selects a, b, c or d.
    void SetCoefficient(int position, double coefficient);
    // v(t); t is not clamped.
    double Value(double t) const { return a + b * t + c * t * t + d * t * t * t; }
    // v'(t) = b + 2·c·t + 3·d·t².
    double Slope(double t) const { return b + 2.0 * c * t + 3.0 * d * t * t; }
    // v″(t) = 2·c + 6·d·t.
    double SecondSlope(double t) const { return 2.0 * c + 6.0 * d * t; }
};

// A one-dimensional interpolating cubic Hermite spline, open or closed. Every change
// recomputes all automatic tangents and every segment polynomial at once.
class UnitSpline {
public:
    static constexpr int32_t PointAuto = 2;  // tangent computed by the spline
    static constexpr int32_t PointFixed = 3; // tangent given by the user
    static constexpr int32_t ShapeLoop = 1;
    static constexpr int32_t ShapeOpen = 2;
    static constexpr int MaxPoints = 256;

    UnitSpline();

    void AddPoint(double value, double tangent, int32_t property);
    int InsertPoint(double value, double tangent, int32_t property, int index);
    void SetPoint(double value, double tangent, int32_t property, int index);
    void DeletePoint(int index);
    // Replaces every point at once and recomputes once: the spline that adding the points
    // one by one to an empty spline of the same shape gives, without a recomputation per
    // point.
    void SetPoints(std::span<const SplinePoint> newPoints);
    int32_t GetPoint(int index, double& value, double& tangent) const;
    int GetPointNum() const { return points.GetDataNum(); }
    void SetShape(int32_t newShape);
    int32_t GetShape() const { return shape; }

    // The segment's Value and Slope at t.
    void Evaluate(int segment, double t, double& value) const;
    void EvaluateTangent(int segment, double t, double& value) const;
    SplineSegment GetSegment(int segment) const;

    // Solves the tridiagonal system with one corner term k·x[n−1] in row 0 (see the .cpp).
    static void Solve(int n, const double* sub, const double* diag, const double* sup,
                      const double* rhs, double k, double* x);

private:
    void Recompute();
    void ClearLoneAutomaticTangent();
    void SolveTangents();
    void RebuildSegments();

    StraightDataBase points;
    StraightDataBase segments;
    int32_t shape = ShapeOpen;
};
