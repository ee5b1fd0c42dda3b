#pragma once
// The asymmetric pseudo-Voigt profile: a Lorentzian and a Gaussian of the same half width,
// each convolved with the slit asymmetry function w(u) = 1/sqrt(A u) - 1/A on 0 < u <= A,
// which keeps unit area and grows a tail of length A towards lower two-theta.

// The two unit-area components at one point; a peak's shape is eta*L + (1-eta)*G.
struct ProfileComponents {
    float L;
    float G;
};

// Length A of the asymmetric tail (degrees two-theta) of a peak at P for slit width /
// separation `wor`: 57.2957795 (W/R)^2 (cot P + tan 10 deg) / 2.
float asymmetryLength(float P, double wor);

// Simpson intervals over the tail: 10 per half width of tail length, at least 30, even,
// and at most kMaxSimpsonIntervals, so that a vanishing width cannot stall a fit. With the
// first panel's weights fitted to sqrt(u) (see sqrtUWeight) ten are closer to the integral
// than thirty plain Simpson intervals, whose error the sqrt(u) kink at u = 0 sets.
inline constexpr int kIntervalsPerHalfWidth = 10;
inline constexpr int kMinSimpsonIntervals = 30;
// 10 per half width up to a tail 100 half widths long: below that a peak is narrower than
// any pattern step resolves at low angle.
inline constexpr int kMaxSimpsonIntervals = 1000;
int simpsonIntervals(float A, float h);

// The components of a peak at P with half width h = FWHM/2, at two-theta x.
// A tail length that is not positive and finite (W/R = 0, a peak at 100 degrees two-theta
// or above, or at 0) gives the symmetric profile, the limit of A -> 0; a half width that is
// not positive gives no peak at all.
ProfileComponents profile_point(float P, float h, float x, double wor);

// The unconvolved components at distance d from the peak: the A -> 0 limit.
ProfileComponents symmetricProfile(float d, float h);
