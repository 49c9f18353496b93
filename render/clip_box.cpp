#include "clip_box.h"

ClipBox clip_box(const float* modelview, const float* projection, Vec3 lo, Vec3 hi) {
    ClipBox box{};
    int beyond[6] = {}; // corners beyond x = w, x = -w, y = w, y = -w, z = w, z = -w
    for (int corner = 0; corner < 8; ++corner) {
        const double v[4] = {corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y, corner & 4 ? hi.z : lo.z, 1};
        double eye[4];
        for (int row = 0; row < 4; ++row)
            eye[row] = modelview[row] * v[0] + modelview[4 + row] * v[1] + modelview[8 + row] * v[2] +
                       modelview[12 + row] * v[3];
        double* c = box.corners[corner];
        for (int row = 0; row < 4; ++row)
            c[row] = projection[row] * eye[0] + projection[4 + row] * eye[1] + projection[8 + row] * eye[2] +
                     projection[12 + row] * eye[3];
        for (int axis = 0; axis < 3; ++axis) {
            beyond[2 * axis] += c[axis] > c[3];
            beyond[2 * axis + 1] += c[axis] < -c[3];
        }
        box.reaches_eye = box.reaches_eye || c[3] <= 1e-6;
    }
    for (int count : beyond) box.outside = box.outside || count == 8;
    return box;
}
