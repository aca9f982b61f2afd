#ifndef OB_RECT_H
#define OB_RECT_H

// An integer rectangle with y growing downwards: normalised means left <= right and top <= bottom.
struct OB_RECT
{
    int left;
    int top;
    int right;
    int bottom;

    void Normalize();
    // Normalises this first; an empty result is (0, 0, 0, 0).
    void Intersect(const OB_RECT& other);
    // Normalises this first; other is taken whatever its orientation.
    void Union(const OB_RECT& other);
    // Neither width nor height overflows a 32-bit int.
    bool Valid() const;
};

#endif
