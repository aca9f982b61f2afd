#ifndef OB_ROUND_H
#define OB_ROUND_H

// Nearest int, halves away from zero; NaN gives 0 and out-of-range values clamp to the int limits.
int OBSYS_round(double value);

#endif
