#include "model/UnitSpline.h"

#include "base/Error.h"

#include <array>
#include <cmath>

namespace {

constexpr const char* Tag = "UnitSpline1";

using Column = std::array<double, UnitSpline::MaxPoints>;

// A quotient carried as numerator and denominator while eliminating, so that no
// division happens until a solution is stored.
struct Ratio {
    double num;
    double den;
};

// Divides both members by a power of ten once the larger positive one reaches
// 1,000,000, keeping the cross-multiplied products in range. `second` is the member
// whose sign decides: a negative one (or no positive member at all) leaves the pair.
void RescaleMembers(double& first, double& second) {
    if (second < 0.0 || (!(first > 0.0) && !(second > 0.0))) {
        return;
    }
    const double larger = first > 0.0 && first > second ? first : second;
    const double exponent = std::trunc(std::log10(larger)) + 1.0 - 6.0;
    if (exponent > 0.0) {
        const double divisor = std::pow(10.0, exponent);
        first /= divisor;
        second /= divisor;
    }
}

// Ratios of the super-diagonal and of the last-column fill-in take the denominator first.
Ratio RescaledCoefficient(Ratio r) {
    RescaleMembers(r.den, r.num);
    return r;
}

// Right sides and solutions take the numerator first.
Ratio RescaledValue(Ratio r) {
    RescaleMembers(r.num, r.den);
    return r;
}

// The record a point is stored as; an automatic point's tangent is the spline's to compute.
SplinePoint CheckedPoint(double value, double tangent, int32_t property) {
    if (property != UnitSpline::PointAuto && property != UnitSpline::PointFixed) {
        Error::Fatal(Tag, "ありえない点の性質を設定しようとした");
    }
    return {value, property == UnitSpline::PointFixed ? tangent : 0.0, property};
}

} // namespace

void SplineSegment::SetCoefficient(int position, double coefficient) {
    switch (position) {
    case 1:
        a = coefficient;
        break;
    case 2:
        b = coefficient;
        break;
    case 3:
        c = coefficient;
        break;
    case 4:
        d = coefficient;
        break;
    default:
        Error::Fatal(Tag, "係数設定フラグにありえない値を検出");
    }
}

UnitSpline::UnitSpline() : points(sizeof(SplinePoint)), segments(sizeof(SplineSegment)) {}

void UnitSpline::AddPoint(double value, double tangent, int32_t property) {
    InsertPoint(value, tangent, property, points.GetDataNum());
}

int UnitSpline::InsertPoint(double value, double tangent, int32_t property, int index) {
    const SplinePoint point = CheckedPoint(value, tangent, property);
    points.InsertData(&point, index);
    Recompute();
    return index;
}

void UnitSpline::SetPoint(double value, double tangent, int32_t property, int index) {
    const SplinePoint point = CheckedPoint(value, tangent, property);
    points.SetData(&point, index);
    Recompute();
}

void UnitSpline::DeletePoint(int index) {
    points.DeleteData(index);
    Recompute();
}

void UnitSpline::SetPoints(std::span<const SplinePoint> newPoints) {
    points.Release();
    segments.Release();
    for (const SplinePoint& p : newPoints) {
        const SplinePoint point = CheckedPoint(p.value, p.tangent, p.property);
        points.AddData(&point);
    }
    Recompute();
}

int32_t UnitSpline::GetPoint(int index, double& value, double& tangent) const {
    SplinePoint point{};
    points.GetData(&point, index);
    value = point.value;
    tangent = point.tangent;
    return point.property;
}

void UnitSpline::SetShape(int32_t newShape) {
    if (newShape != ShapeLoop && newShape != ShapeOpen) {
        Error::Fatal(Tag, "ありえないスプライン形状IDを設定しようとした");
    }
    shape = newShape;
    Recompute();
}

void UnitSpline::Evaluate(int segment, double t, double& value) const {
    value = GetSegment(segment).Value(t);
}

void UnitSpline::EvaluateTangent(int segment, double t, double& value) const {
    value = GetSegment(segment).Slope(t);
}

SplineSegment UnitSpline::GetSegment(int segment) const {
    SplineSegment s{};
    segments.GetData(&s, segment);
    return s;
}

void UnitSpline::Recompute() {
    if (shape != ShapeLoop && shape != ShapeOpen) {
        Error::Fatal(Tag, "スプライン形状にありえない値が設定されている");
    }
    const int n = points.GetDataNum();
    if (n > MaxPoints) {
        Error::Fatal(Tag, "点の数が多すぎます");
    }
    if (n <= 1) {
        ClearLoneAutomaticTangent();
        return;
    }
    SolveTangents();
    RebuildSegments();
}

// A lone automatic point has no neighbour to take a tangent from: it holds 0, as a point
// set or loaded alone does, not the tangent it was solved to beside a deleted neighbour.
void UnitSpline::ClearLoneAutomaticTangent() {
    if (points.GetDataNum() != 1) {
        return;
    }
    SplinePoint point{};
    points.GetData(&point, 0);
    if (point.property == PointAuto) {
        point.tangent = 0.0;
        points.SetData(&point, 0);
    }
}

// One equation per point in the unknown tangents m: a fixed point keeps its own tangent;
// an automatic one asks for continuous curvature with its neighbours (the end rows of an
// open spline are the natural end conditions).
void UnitSpline::SolveTangents() {
    const int n = points.GetDataNum();
    std::array<SplinePoint, MaxPoints> p{};
    for (int i = 0; i < n; ++i) {
        points.GetData(&p[i], i);
    }
    Column sub{};
    Column diag{};
    Column sup{};
    Column rhs{};
    double corner = 0.0;
    const bool closed = shape == ShapeLoop;
    for (int i = 0; i < n; ++i) {
        if (p[i].property != PointAuto) {
            diag[i] = 1.0;
            rhs[i] = p[i].tangent;
        } else if (closed) {
            const int before = i == 0 ? n - 1 : i - 1;
            const int after = i == n - 1 ? 0 : i + 1;
            sub[i] = 1.0;
            diag[i] = 4.0;
            sup[i] = 1.0;
            rhs[i] = 3.0 * (p[after].value - p[before].value);
            if (i == 0) {
                corner = 1.0;
            }
        } else if (i == 0) {
            diag[i] = 1.0;
            sup[i] = 0.5;
            rhs[i] = 3.0 * 0.5 * (p[1].value - p[0].value);
        } else if (i == n - 1) {
            sub[i] = 2.0;
            diag[i] = 4.0;
            rhs[i] = 6.0 * (p[n - 1].value - p[n - 2].value);
        } else {
            sub[i] = 1.0;
            diag[i] = 4.0;
            sup[i] = 1.0;
            rhs[i] = 3.0 * (p[i + 1].value - p[i - 1].value);
        }
    }
    Column m{};
    Solve(n, sub.data(), diag.data(), sup.data(), rhs.data(), corner, m.data());
    // A fixed tangent solves to itself only up to rounding; it keeps the value it was
    // given, so that a handle the user set never drifts from save to save.
    for (int i = 0; i < n; ++i) {
        if (p[i].property == PointAuto) {
            p[i].tangent = m[i];
            points.SetData(&p[i], i);
        }
    }
}

// Each segment is the cubic Hermite piece with v(0) = p_i, v(1) = p_j, v'(0) = m_i, v'(1) = m_j.
void UnitSpline::RebuildSegments() {
    const int n = points.GetDataNum();
    const int count = shape == ShapeLoop ? n : n - 1;
    segments.Release();
    for (int i = 0; i < count; ++i) {
        const int j = i + 1 == n ? 0 : i + 1;
        SplinePoint from{};
        SplinePoint to{};
        points.GetData(&from, i);
        points.GetData(&to, j);
        SplineSegment s{};
        s.SetCoefficient(1, from.value);
        s.SetCoefficient(2, from.tangent);
        s.SetCoefficient(3, 3.0 * (to.value - from.value) - 2.0 * from.tangent - to.tangent);
        s.SetCoefficient(4, 2.0 * (from.value - to.value) + from.tangent + to.tangent);
        segments.AddData(&s);
    }
}

// Row 0:        diag0·x0 + sup0·x1 + k·x(n−1) = rhs0   (k unused when n = 2)
// Row i:        sub_i·x(i−1) + diag_i·x_i + sup_i·x(i+1) = rhs_i
// Row n−1:      sub(n−1)·x(n−2) + diag(n−1)·x(n−1) = rhs(n−1)
// Gaussian elimination keeps c (super-diagonal), g (last-column fill-in) and d (right side)
// as numerator/denominator pairs built by cross-multiplication; only x is divided out.
void UnitSpline::Solve(int n, const double* sub, const double* diag, const double* sup,
                       const double* rhs, double k, double* x) {
    if (n <= 1) {
        return;
    }
    if (n > MaxPoints) {
        Error::Fatal(Tag, "スプラインの点の数が多すぎます");
    }
    std::array<Ratio, MaxPoints> c{};
    std::array<Ratio, MaxPoints> g{};
    std::array<Ratio, MaxPoints> d{};
    c[0] = RescaledCoefficient({sup[0], diag[0]});
    g[0] = RescaledCoefficient({k, diag[0]});
    d[0] = RescaledValue({rhs[0], diag[0]});
    for (int i = 1; i <= n - 3; ++i) {
        const Ratio prev = c[i - 1];
        const double pivot = diag[i] * prev.den - sub[i] * prev.num; // e_i · U
        c[i] = RescaledCoefficient({sup[i] * prev.den, pivot});
        g[i] = RescaledCoefficient({-sub[i] * g[i - 1].num * prev.den, g[i - 1].den * pivot});
    }
    if (n >= 3) {
        const int i = n - 2;
        const Ratio prev = c[i - 1];
        const Ratio fill = g[i - 1];
        const double pivot = diag[i] * prev.den - sub[i] * prev.num;
        c[i] = RescaledCoefficient(
            {(sup[i] * fill.den - sub[i] * fill.num) * prev.den, pivot * fill.den});
    }
    for (int i = 1; i <= n - 1; ++i) {
        const Ratio prev = c[i - 1];
        const Ratio right = d[i - 1];
        const double pivot = diag[i] * prev.den - sub[i] * prev.num;
        d[i] = RescaledValue(
            {(rhs[i] * right.den - sub[i] * right.num) * prev.den, pivot * right.den});
    }

    const Ratio last = RescaledValue(d[n - 1]);
    x[n - 1] = last.num / last.den;
    const double xl = x[n - 1];
    {
        const Ratio dv = d[n - 2];
        const Ratio cv = c[n - 2];
        const Ratio r = RescaledValue({dv.num * cv.den - cv.num * xl * dv.den, dv.den * cv.den});
        x[n - 2] = r.num / r.den;
    }
    for (int i = n - 3; i >= 0; --i) {
        const Ratio dv = d[i];
        const Ratio cv = c[i];
        const Ratio gv = g[i];
        const double num = dv.num * cv.den * gv.den - cv.num * x[i + 1] * dv.den * gv.den -
                           gv.num * xl * dv.den * cv.den;
        const Ratio r = RescaledValue({num, dv.den * cv.den * gv.den});
        x[i] = r.num / r.den;
    }
}
