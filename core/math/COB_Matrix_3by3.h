#ifndef COB_MATRIX_3BY3_H
#define COB_MATRIX_3BY3_H

// A column vector for COB_Matrix_3by3.
struct COB_Vector_3by1
{
    float x;
    float y;
    float z;
};

// A 3x3 matrix with rows (a b c), (d e f), (g h i).
class COB_Matrix_3by3
{
public:
    COB_Matrix_3by3() : a(1), b(0), c(0), d(0), e(1), f(0), g(0), h(0), i(1) {}
    COB_Matrix_3by3(float a1, float b1, float c1, float d1, float e1, float f1, float g1, float h1, float i1)
        : a(a1), b(b1), c(c1), d(d1), e(e1), f(f1), g(g1), h(h1), i(i1)
    {
    }

    // All zero when the determinant is below 1e-7 in size.
    COB_Matrix_3by3 Inverse() const;
    // this x m, row by column.
    COB_Matrix_3by3 Multiply(const COB_Matrix_3by3& m) const;
    COB_Vector_3by1 TransformVector(const COB_Vector_3by1& v) const;

    float a, b, c;
    float d, e, f;
    float g, h, i;
};

#endif
