#ifndef OB_GEOMETRYTEMPLATES_H
#define OB_GEOMETRYTEMPLATES_H

// Plain 2-D values for T = int or float; no state beyond their fields.

// A point, a size or a vector.
template <typename T>
class COB_PSVTemplate
{
public:
    COB_PSVTemplate() : x(0), y(0) {}
    COB_PSVTemplate(T x0, T y0) : x(x0), y(y0) {}

    void Set(T x0, T y0)
    {
        x = x0;
        y = y0;
    }
    bool operator==(const COB_PSVTemplate& other) const { return x == other.x && y == other.y; }
    bool operator!=(const COB_PSVTemplate& other) const { return !(*this == other); }

    T x;
    T y;
};

// A vector: transformed without the translation.
template <typename T>
class COB_VTemplate : public COB_PSVTemplate<T>
{
public:
    COB_VTemplate() {}
    COB_VTemplate(T x0, T y0) : COB_PSVTemplate<T>(x0, y0) {}
};

// A rectangle as origin and size.
template <typename T>
class COB_RTemplate
{
public:
    COB_RTemplate() : left(0), top(0), width(0), height(0) {}
    COB_RTemplate(T l, T t, T w, T h) : left(l), top(t), width(w), height(h) {}

    T left;
    T top;
    T width;
    T height;
};

// A rounded rectangle.
template <typename T>
class COB_RRTemplate : public COB_RTemplate<T>
{
public:
    COB_RRTemplate() : xRadius(0), yRadius(0) {}
    COB_RRTemplate(T l, T t, T w, T h, T rx, T ry) : COB_RTemplate<T>(l, t, w, h), xRadius(rx), yRadius(ry) {}

    T xRadius;
    T yRadius;
};

// A parallelogram: an origin point and two edge vectors.
template <typename T>
class COB_PRLTemplate
{
public:
    COB_PRLTemplate() : x(0), y(0), x1(0), y1(0), x2(0), y2(0) {}
    COB_PRLTemplate(T ox, T oy, T ax, T ay, T bx, T by) : x(ox), y(oy), x1(ax), y1(ay), x2(bx), y2(by) {}

    T x;
    T y;
    T x1;
    T y1;
    T x2;
    T y2;
};

#endif
