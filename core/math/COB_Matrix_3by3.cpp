#include "COB_Matrix_3by3.h"

#include <cmath>

COB_Matrix_3by3 COB_Matrix_3by3::Inverse() const
{
    const float det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    if (std::fabs(det) < 1e-7f)
        return COB_Matrix_3by3(0, 0, 0, 0, 0, 0, 0, 0, 0);
    return COB_Matrix_3by3((e * i - f * h) / det, -(b * i - c * h) / det, (b * f - c * e) / det,
                           -(d * i - f * g) / det, (a * i - c * g) / det, -(a * f - c * d) / det,
                           (d * h - e * g) / det, -(a * h - b * g) / det, (a * e - b * d) / det);
}

COB_Matrix_3by3 COB_Matrix_3by3::Multiply(const COB_Matrix_3by3& m) const
{
    return COB_Matrix_3by3(a * m.a + b * m.d + c * m.g, a * m.b + b * m.e + c * m.h, a * m.c + b * m.f + c * m.i,
                           d * m.a + e * m.d + f * m.g, d * m.b + e * m.e + f * m.h, d * m.c + e * m.f + f * m.i,
                           g * m.a + h * m.d + i * m.g, g * m.b + h * m.e + i * m.h, g * m.c + h * m.f + i * m.i);
}

COB_Vector_3by1 COB_Matrix_3by3::TransformVector(const COB_Vector_3by1& v) const
{
    return {a * v.x + b * v.y + c * v.z, d * v.x + e * v.y + f * v.z, g * v.x + h * v.y + i * v.z};
}
