// The town's layout: every catalogue model placed on its facade, roof or ground, house
// by house from the plank walkway in the east to the courtyard in the west.
// Written by tools/towngen/towngen.py from the town's description; edit that and run it again.
#include "scene/world2_layout.h"

#include "scene/blocks.h"
#include "scene/models.h"

#include <iterator>

// clang-format off
const ModelPlacement WORLD2_LAYOUT[] = {
    // walkway along the eave of house A, going east
    {draw_plank_walkway,       {    6.0f,   6.0f,   -13.3f}, 1, {{  90, 1, 0, 0}}},
    {draw_plank_walkway,       {   10.1f,   6.0f,   -13.3f}, 2, {{  90, 1, 0, 0}, {   5, 0, 1, 0}}},
    // turning south over the east row
    {draw_plank_walkway,       {   13.6f,   6.0f,   -12.0f}, 2, {{  90, 1, 0, 0}, { -90, 0, 0, 1}}},
    {draw_plank_walkway,       {   13.6f,   6.0f,   -16.0f}, 2, {{  90, 1, 0, 0}, { -90, 0, 0, 1}}},
    {draw_plank_walkway,       {   13.6f,   6.0f,   -20.0f}, 2, {{  90, 1, 0, 0}, { -90, 0, 0, 1}}},
    {draw_plank_walkway,       {   13.6f,   6.0f,   -24.0f}, 2, {{  90, 1, 0, 0}, { -90, 0, 0, 1}}},
    {draw_plank_walkway,       {   13.6f,   6.0f,   -28.0f}, 2, {{  90, 1, 0, 0}, { -90, 0, 0, 1}}},
    // the far corner
    {draw_plank_walkway,       {   14.9f,   5.9f,   -31.4f}, 1, {{  90, 1, 0, 0}}},
    // house A: boards at its east gable
    {draw_board_row_16,        {    6.5f,   5.8f,    -7.3f}, 2, {{  90, 0, 0, 1}, {  65, 0, 1, 0}}},
    {draw_board_row_8,         {    6.6f,   6.3f,  -11.25f}, 2, {{  90, 0, 0, 1}, { -65, 0, 1, 0}}},
    {draw_board_row_8,         {    6.6f,  5.75f,  -12.25f}, 2, {{  90, 0, 0, 1}, { -60, 0, 1, 0}}},
    // the post beside the north gate
    {draw_post_on_base,        {  -14.0f,   0.0f,   -12.0f}, 0, {}},
    // block A
    {draw_window_double,       {    5.4f,  -1.8f,  -11.55f}, 1, {{ -90, 0, 1, 0}}},
    {draw_deck_small,          {    5.3f,  -0.1f,  -11.85f}, 0, {}},
    {draw_door_framed,         {   1.95f,   0.0f,    -6.7f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {    4.4f,  -1.9f,    -6.3f}, 1, {{ 180, 0, 1, 0}}},
    {draw_door_framed,         {    1.4f,   0.0f, -10.975f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_double,       {    2.7f,   0.1f, -11.175f}, 0, {}},
    {draw_window_wide,         {    7.0f,  -1.8f,  -9.125f}, 1, {{ -90, 0, 1, 0}}},
    {draw_deck_large,          { 6.0364f,  -1.1f,  -7.475f}, 2, {{ -90, 0, 1, 0}, {   5, 1, 0, 0}}},
    {draw_board_row_16,        {    3.7f, 5.7757f, -12.3317f}, 2, {{  90, 0, 0, 1}, { -63, 0, 1, 0}}},
    {draw_board_row_16,        {    3.7f, 5.7757f, -7.2183f}, 2, {{  90, 0, 0, 1}, {  63, 0, 1, 0}}},
    {draw_board_row_16,        {    2.4f, 6.1818f, -12.8097f}, 1, {{  90, 1, 0, 0}}},
    {draw_board_row_8,         {    3.7f, 6.1818f, -9.2903f}, 1, {{  90, 1, 0, 0}}},
    {draw_board_row_16,        {  6.875f, 5.8062f, -12.3276f}, 2, {{  90, 0, 0, 1}, { -64, 0, 1, 0}}},
    {draw_board_row_16,        {  6.475f, 5.8062f, -12.3276f}, 2, {{  90, 0, 0, 1}, { -64, 0, 1, 0}}},
    // block EW1
    {draw_post_bracket,        {    2.9f,   0.0f,  -18.45f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {    1.5f,   0.4f,   -19.7f}, 1, {{  90, 0, 1, 0}}},
    {draw_door_framed,         {    6.6f,   0.0f, -18.775f}, 0, {}},
    {draw_window_narrow,       {    7.0f,  -1.6f, -18.075f}, 1, {{ -90, 0, 1, 0}}},
    {draw_chimney_narrow,      { 3.9639f,   6.0f, -18.682f}, 0, {}},
    // block EW2
    {draw_post_bracket,        {    5.2f,   2.0f,   -13.9f}, 0, {}},
    {draw_post_bracket,        {    3.2f,   0.0f,   -14.7f}, 1, {{ -90, 0, 1, 0}}},
    {draw_timber_frame,        {    3.3f,   2.0f,   -14.0f}, 1, {{ -90, 0, 1, 0}}},
    {draw_post_bracket,        {    5.6f,   0.0f, -16.975f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_three_pane,   {    5.1f,  -0.2f, -14.275f}, 1, {{ 180, 0, 1, 0}}},
    {draw_chimney_wide,        {  5.487f,   6.5f, -14.958f}, 0, {}},
    {draw_dormer,              {    2.8f,   6.0f,   -15.7f}, 1, {{  90, 0, 1, 0}}},
    // block E1
    {draw_window_wide,         {   11.0f,  -1.6f,  -19.95f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_double,       {   12.7f,   0.1f,   -20.7f}, 0, {}},
    {draw_board_row_16,        {13.8242f, 6.6225f,   -20.9f}, 3, {{  90, 1, 0, 0}, {  30, 0, 1, 0}, {  90, 0, 0, 1}}},
    // block E2
    {draw_window_narrow,       {   11.4f,  -1.6f,  -16.55f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_wide,         {   11.4f,   0.4f,  -16.75f}, 1, {{  90, 0, 1, 0}}},
    // block E3
    {draw_window_six_pane,     {   12.9f,   0.1f,   -13.1f}, 0, {}},
    {draw_post_bracket,        {   12.4f,   2.0f,   -11.9f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_32,        { 13.995f, 6.285f,   -14.5f}, 2, {{  90, 1, 0, 0}, {  90, 0, 0, 1}}},
    // block E4
    {draw_window_small_framed, {   12.4f,   1.9f,   -10.6f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_wide,         {   11.4f,   0.4f,   -9.35f}, 1, {{  90, 0, 1, 0}}},
    {draw_chimney_narrow,      { 13.007f,   4.4f,   -9.09f}, 0, {}},
    // block E5
    {draw_window_small,        {   12.0f,   3.1f,  -7.275f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_three_pane,   {   12.9f,   2.2f,  -5.475f}, 0, {}},
    // block E6
    {draw_window_narrow,       {   11.4f,  -1.6f,   -3.15f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_three_pane,   {   13.3f,   2.2f,    -2.9f}, 0, {}},
    // block E7
    {draw_window_square,       {   12.0f,   3.3f,   -1.05f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_double,       {   12.7f,   0.1f,   -0.25f}, 0, {}},
    // block E8
    {draw_window_wide,         {   11.4f,  -1.6f,     3.0f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {   11.4f,  -1.6f,     4.5f}, 1, {{  90, 0, 1, 0}}},
    // block E9
    {draw_window_narrow,       {12.6125f,   0.4f,    11.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_door_framed,         {   11.4f,   0.0f,     6.7f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_wide,         {   11.0f,   0.4f,    7.25f}, 1, {{  90, 0, 1, 0}}},
    {draw_rafter_3_0,          {11.5911f, 4.7953f,   10.37f}, 1, {{ -42, 0, 0, 1}}},
    // block LB1
    {draw_door_framed,         {  -8.55f,   0.0f,   -15.9f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_wide,         {   -9.1f,   0.4f,   -16.3f}, 0, {}},
    {draw_window_double,       { -11.15f,   0.1f,   -12.7f}, 1, {{  90, 0, 1, 0}}},
    {draw_post_bracket,        {  -11.1f,   2.0f, -13.375f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {  -12.5f,   0.4f, -13.275f}, 1, {{  90, 0, 1, 0}}},
    // block LB2
    {draw_post_bracket,        {  -7.55f,   0.0f,   -15.1f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_recessed,     {  -7.65f,   0.4f,   -11.4f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_16,        { -6.475f,   4.5f, -15.7275f}, 2, {{  90, 0, 0, 1}, { -42, 0, 1, 0}}},
    {draw_board_row_16,        { -6.475f,   4.5f, -15.7275f}, 2, {{  90, 0, 0, 1}, { -42, 0, 1, 0}}},
    {draw_board_row_16,        { -6.475f,   4.5f, -15.7275f}, 2, {{  90, 0, 0, 1}, { -42, 0, 1, 0}}},
    {draw_board_row_16,        { -6.475f,   4.5f, -15.7275f}, 2, {{  90, 0, 0, 1}, { -42, 0, 1, 0}}},
    {draw_board_row_13,        { -9.025f, 6.6464f, -13.7174f}, 3, {{  90, 0, 1, 0}, { -46, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_13,        { -9.025f,   4.8f, -11.9941f}, 3, {{  90, 0, 1, 0}, {  46, 0, 0, 1}, {  90, 1, 0, 0}}},
    // block LB3
    {draw_window_wide,         {  -1.95f,  -1.6f,   -16.5f}, 0, {}},
    {draw_window_double,       {   -1.2f,   0.1f,   -14.8f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_small,        {   -2.0f,   5.8f,   -15.5f}, 0, {}},
    {draw_deck_large,          {   -0.3f,  -0.6f, -14.7529f}, 1, {{  -4, 1, 0, 0}}},
    {draw_window_narrow,       {  -3.05f,   0.4f,   -11.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_deck_large,          {-4.5463f,  -0.6f,   -12.4f}, 2, {{ 180, 0, 1, 0}, {  -4, 0, 0, 1}}},
    {draw_window_narrow,       {    1.3f,  -1.6f,   -13.3f}, 1, {{ -90, 0, 1, 0}}},
    {draw_timber_frame,        {   -0.2f,   2.4f,  -15.25f}, 1, {{  90, 0, 1, 0}}},
    {draw_board_row_32,        {  -5.45f,   7.0f, -16.1799f}, 1, {{  70, 1, 0, 0}}},
    // block N1
    {draw_window_narrow,       {  -67.0f,  -1.6f,  -23.45f}, 1, {{  90, 0, 1, 0}}},
    {draw_timber_frame,        {  -65.5f,   2.4f,   -21.5f}, 1, {{ -90, 0, 1, 0}}},
    // block N2
    {draw_board_row_16,        {-61.895f, 4.453f, -20.7719f}, 2, {{  90, 0, 0, 1}, {  52, 0, 1, 0}}},
    {draw_board_row_16,        {-61.895f, 4.453f, -20.7719f}, 2, {{  90, 0, 0, 1}, {  52, 0, 1, 0}}},
    {draw_board_row_16,        {-61.895f, 4.453f, -20.7719f}, 2, {{  90, 0, 0, 1}, {  52, 0, 1, 0}}},
    // block N3
    {draw_window_six_pane,     { -60.05f,   2.2f,   -21.9f}, 1, {{  90, 0, 1, 0}}},
    {draw_board_row_16,        {  -59.4f, 7.0171f, -20.9323f}, 2, {{  90, 0, 0, 1}, {  45, 0, 1, 0}}},
    {draw_board_row_16,        {-59.535f, 6.8301f, -20.8526f}, 2, {{  90, 0, 0, 1}, {  42, 0, 1, 0}}},
    {draw_board_row_16,        {-59.535f, 6.8301f, -20.8526f}, 2, {{  90, 0, 0, 1}, {  42, 0, 1, 0}}},
    // block N4
    {draw_window_small_framed, { -57.55f,   2.1f,   -21.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_board_row_16,        {-59.225f, 6.7213f, -22.9824f}, 2, {{ -90, 0, 0, 1}, { -49, 0, 1, 0}}},
    // block N5
    {draw_window_small,        { -54.45f,   4.3f,   -21.0f}, 2, {{ 180, 0, 1, 0}, {  90, 0, 0, 1}}},
    {draw_board_row_16,        {  -54.0f, 6.1196f, -21.022f}, 2, {{  90, 0, 0, 1}, {  40, 0, 1, 0}}},
    // block N6
    {draw_window_square,       {  -52.3f,   4.3f,   -21.0f}, 1, {{ 180, 0, 1, 0}}},
    // block N7
    {draw_window_three_pane,   { -49.45f,   0.2f,   -21.9f}, 1, {{  90, 0, 1, 0}}},
    // block N8
    {draw_window_wide,         {  -47.3f,  -1.6f,   -20.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_board_row_16,        {  -46.4f, 7.0171f, -20.9323f}, 2, {{  90, 0, 0, 1}, {  45, 0, 1, 0}}},
    // block N9
    {draw_door_framed,         { -45.15f,   0.0f,   -20.4f}, 1, {{ -90, 0, 1, 0}}},
    // block N10
    {draw_post_bracket,        { -40.55f,   0.0f,   -21.4f}, 0, {}},
    {draw_board_row_16,        {  -41.0f, 6.1196f, -21.022f}, 2, {{  90, 0, 0, 1}, {  40, 0, 1, 0}}},
    // block N11
    {draw_window_double,       {  -40.1f,   0.1f,   -21.7f}, 1, {{  90, 0, 1, 0}}},
    // block N12
    {draw_window_narrow,       {  -36.7f,  -1.6f,   -20.0f}, 1, {{ 180, 0, 1, 0}}},
    // block N13
    {draw_window_recessed,     { -34.55f,   0.4f,   -20.4f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_16,        {  -33.4f, 7.0171f, -20.9323f}, 2, {{  90, 0, 0, 1}, {  45, 0, 1, 0}}},
    // block N14
    {draw_window_six_pane,     { -31.35f,   0.2f,   -21.9f}, 1, {{  90, 0, 1, 0}}},
    // block N15
    {draw_window_small,        { -28.95f,   4.3f,   -21.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_board_row_8,         {  -28.0f, 6.1791f, -21.0719f}, 2, {{  90, 0, 0, 1}, {  40, 0, 1, 0}}},
    // block N16
    {draw_window_small_framed, {  -26.3f,   2.1f,   -21.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_board_row_8,         {  -25.3f, 5.8192f, -21.3512f}, 2, {{  90, 0, 0, 1}, {  55, 0, 1, 0}}},
    // block N17
    {draw_window_three_pane,   { -23.45f,   2.2f,   -21.9f}, 1, {{  90, 0, 1, 0}}},
    // block N18
    {draw_window_wide,         {  -21.3f,   0.4f,   -20.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_board_row_16,        { -22.95f, 7.0171f, -20.9323f}, 3, {{  90, 0, 1, 0}, {  45, 0, 0, 1}, {  90, 1, 0, 0}}},
    // block N19
    {draw_door_framed,         { -19.15f,   0.0f,   -20.4f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_8,         {  -17.5f, 5.3668f, -21.3721f}, 2, {{  90, 0, 0, 1}, {  52, 0, 1, 0}}},
    // block N20
    {draw_post_bracket,        { -14.55f,   2.0f,   -21.4f}, 0, {}},
    {draw_board_row_8,         {  -15.0f, 6.1791f, -21.0719f}, 2, {{  90, 0, 0, 1}, {  40, 0, 1, 0}}},
    // block N21
    {draw_window_double,       {  -14.1f,   0.1f,   -21.7f}, 1, {{  90, 0, 1, 0}}},
    // block N22
    {draw_window_narrow,       {  -10.7f,   0.4f,   -20.0f}, 1, {{ 180, 0, 1, 0}}},
    // block N23
    {draw_window_recessed,     {  -8.55f,   0.4f,   -20.4f}, 1, {{ -90, 0, 1, 0}}},
    // block N24
    {draw_window_three_pane,   {  -5.15f,   0.2f,   -21.9f}, 1, {{  90, 0, 1, 0}}},
    {draw_board_row_8,         {  -7.05f, 5.3772f, -21.3641f}, 3, {{  90, 0, 1, 0}, {  37, 0, 0, 1}, {  90, 1, 0, 0}}},
    // block N25
    {draw_window_small,        {  -2.95f,   4.3f,   -21.0f}, 1, {{ 180, 0, 1, 0}}},
    // block N26
    {draw_window_wide,         {  -0.35f,  -1.6f,   -20.0f}, 1, {{ 180, 0, 1, 0}}},
    // block N27
    {draw_board_row_8,         {    1.7f, 4.5655f, -20.9847f}, 1, {{ -50, 1, 0, 0}}},
    // block N28
    {draw_board_row_16,        {    4.0f, 7.1409f, -21.056f}, 1, {{ -45, 1, 0, 0}}},
    // block N29
    {draw_door_framed,         {   6.85f,   0.0f,   -20.4f}, 1, {{ -90, 0, 1, 0}}},
    // block N30
    {draw_post_bracket,        {  11.45f,   0.0f,   -21.4f}, 0, {}},
    // block NW1
    {draw_window_wide,         {  -23.3f,  -1.6f,   -16.5f}, 0, {}},
    {draw_timber_frame,        { -25.45f,   2.4f,   -15.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_three_pane,   {  -25.0f,   0.2f,  -13.95f}, 0, {}},
    {draw_window_double,       {  -25.2f,   0.1f,  -15.15f}, 0, {}},
    // block NW2
    {draw_window_narrow,       {  -19.8f,  -1.6f,   -16.8f}, 0, {}},
    {draw_window_double,       { -18.85f,   0.1f,   -15.1f}, 1, {{ -90, 0, 1, 0}}},
    // block NW3
    {draw_window_narrow,       { -16.15f,  -1.6f,   -16.5f}, 0, {}},
    {draw_window_narrow,       { -16.15f,   0.4f,   -16.5f}, 0, {}},
    {draw_window_narrow,       {  -13.7f,  -1.6f,   -13.3f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_double,       {  -15.4f,   0.1f,  -12.35f}, 1, {{ 180, 0, 1, 0}}},
    {draw_board_row_16,        {-18.6283f, 5.2159f, -12.0812f}, 3, {{ -10, 0, 1, 0}, { -10, 0, 0, 1}, { -55, 1, 0, 0}}},
    {draw_board_row_16,        { -17.67f, 4.5655f, -11.4512f}, 1, {{ -50, 1, 0, 0}}},
    // block WB1
    {draw_window_narrow,       {  -26.9f,  -1.6f,  -11.05f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {  -26.9f,  -1.6f,   -8.85f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {  -15.5f,  -1.6f,    -8.7f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_double,       {  -17.2f,   0.1f,   -7.75f}, 1, {{ 180, 0, 1, 0}}},
    {draw_board_row_16,        {-17.7158f, 7.7712f,   -11.9f}, 2, {{ -90, 0, 1, 0}, {  60, 1, 0, 0}}},
    {draw_rafter_3_0,          {-28.298f, 3.4613f,  -11.45f}, 1, {{ -40, 0, 0, 1}}},
    {draw_rafter_3_0,          {-28.298f, 3.4613f,    -7.2f}, 1, {{ -40, 0, 0, 1}}},
    {draw_rafter_2_3,          {-28.8192f, 3.0022f,  -11.45f}, 1, {{ -45, 0, 0, 1}}},
    {draw_rafter_3_7,          {-27.755f, 3.9502f,    -7.2f}, 1, {{ -67, 0, 0, 1}}},
    {draw_rafter_3_7,          {-27.8983f, 4.0036f,  -11.45f}, 1, {{ -27, 0, 0, 1}}},
    {draw_board_row_16,        {-24.6194f, 7.7502f, -10.525f}, 2, {{  32, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_tall,      {-27.7797f, 4.0167f, -12.775f}, 2, {{  50, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_tall,      {-28.0035f,  3.75f, -12.775f}, 2, {{  50, 0, 0, 1}, {  90, 1, 0, 0}}},
    // block WB2
    {draw_window_six_pane,     {  -24.7f,   0.2f,   -5.65f}, 0, {}},
    {draw_window_wide,         {  -26.6f,   0.4f,    -5.9f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_recessed,     {  -16.2f,   0.4f,   -4.35f}, 0, {}},
    {draw_window_narrow,       {  -15.8f,   0.4f,    -4.8f}, 1, {{ -90, 0, 1, 0}}},
    // block WB3
    {draw_window_narrow,       {  -26.9f,  -1.6f,    -2.2f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_small,        {  -25.9f,   4.3f,   -2.35f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_six_pane,     {  -17.4f,   0.2f,    -2.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {  -15.5f,  -1.6f,    -0.5f}, 1, {{ -90, 0, 1, 0}}},
    // block WB4
    {draw_window_narrow,       {  -26.6f,   0.4f,    1.05f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_small_framed, {  -25.6f,   4.3f,     0.9f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {  -15.5f,   0.4f,    1.95f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_small,        {  -16.5f,   4.3f,     2.1f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_16,        {-24.3927f, 7.2921f,   -0.85f}, 2, {{  45, 0, 0, 1}, {  90, 1, 0, 0}}},
    // block WB5
    {draw_window_narrow,       {  -27.3f,  -1.6f,    4.05f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_square,       {  -26.3f,   4.3f,     3.9f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {  -15.5f,  -1.6f,    4.95f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_small_framed, {  -16.5f,   2.1f,     5.1f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_32,        { -22.29f, 6.0588f,  3.0592f}, 1, {{  65, 1, 0, 0}}},
    // block S1
    {draw_window_recessed,     {  -32.5f,   0.4f,     9.4f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_double,       {  -34.8f,   0.1f,    13.3f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_three_pane,   {  -33.8f,   0.2f,    11.8f}, 0, {}},
    {draw_window_double,       {  -34.0f,   0.1f,    10.6f}, 0, {}},
    // block S2
    {draw_window_six_pane,     {-30.725f,   0.2f,    10.9f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {-29.475f,  -1.6f,     9.0f}, 0, {}},
    {draw_window_narrow,       { -31.05f,  -1.6f,    15.0f}, 1, {{ 180, 0, 1, 0}}},
    // block S3
    {draw_window_three_pane,   {  -27.7f,   0.2f,    10.9f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_three_pane,   {  -28.1f,   2.2f,    13.1f}, 1, {{  90, 0, 1, 0}}},
    {draw_board_row_32,        {  -27.4f, 3.6475f,  8.5771f}, 2, {{  90, 0, 0, 1}, { -57, 0, 1, 0}}},
    {draw_board_row_32,        { -29.95f, 6.7519f, 10.6425f}, 2, {{ -90, 0, 0, 1}, { -57, 0, 1, 0}}},
    // block S4
    {draw_window_small,        {  -24.7f,   4.3f,    10.0f}, 0, {}},
    {draw_window_wide,         { -25.95f,   0.4f,    15.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_board_row_13,        { -27.55f, 6.8815f,  10.894f}, 3, {{  90, 0, 1, 0}, { -57, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-22.905f, 5.4177f,  9.9187f}, 2, {{  90, 0, 0, 1}, { -38, 0, 1, 0}}},
    {draw_board_row_16,        {-23.885f, 5.4177f,  9.9187f}, 2, {{  90, 0, 0, 1}, { -38, 0, 1, 0}}},
    {draw_board_row_16,        {-24.445f, 5.4177f,  9.9187f}, 2, {{  90, 0, 0, 1}, { -38, 0, 1, 0}}},
    // block S5
    {draw_window_wide,         { -21.95f,  -1.6f,     9.0f}, 0, {}},
    {draw_post_bracket,        {  -21.8f,   2.0f,    13.6f}, 0, {}},
    {draw_board_row_8,         {-22.225f,   2.0f,  8.8276f}, 2, {{  90, 0, 0, 1}, { -43, 0, 1, 0}}},
    {draw_board_row_32,        { -21.55f,  1.37f,  7.9346f}, 1, {{  50, 1, 0, 0}}},
    // block S6
    {draw_window_wide,         { -19.15f,  -1.6f,     9.0f}, 0, {}},
    {draw_window_square,       {  -19.2f,   4.3f,    10.0f}, 0, {}},
    {draw_window_double,       {  -21.2f,   0.1f,    13.3f}, 1, {{  90, 0, 1, 0}}},
    // block S7
    {draw_door_framed,         {  -15.9f,   0.0f,     9.4f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       { -17.55f,   0.4f,    15.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_dormer,              {  -18.1f,   4.5f,    14.0f}, 1, {{ 180, 0, 1, 0}}},
    // block S8
    {draw_deck_small,          {  -13.2f, -0.05f,  7.8514f}, 1, {{  30, 1, 0, 0}}},
    {draw_window_three_pane,   {  -14.7f,   0.2f,    13.1f}, 1, {{  90, 0, 1, 0}}},
    {draw_dormer,              {  -14.5f,   5.5f,    10.0f}, 0, {}},
    // block S9
    {draw_post_bracket,        {  -12.6f,   2.0f,    10.4f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_wide,         {  -12.7f,  -1.6f,    15.0f}, 1, {{ 180, 0, 1, 0}}},
    // block S10
    {draw_window_narrow,       {  -8.55f,  -1.6f,     9.0f}, 0, {}},
    {draw_timber_frame,        {  -10.5f,   2.4f,    10.5f}, 1, {{ 180, 0, 1, 0}}},
    // block S11
    {draw_window_three_pane,   {   -6.9f,   0.2f,    12.2f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_double,       {   -6.7f,   0.1f,    13.4f}, 1, {{ 180, 0, 1, 0}}},
    // block T1
    {draw_window_double,       {    0.6f,   0.1f,    10.7f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_wide,         {   -3.0f,   0.4f,  10.525f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_six_pane,     {   -1.1f,   2.2f,  12.475f}, 0, {}},
    // block T2
    {draw_window_narrow,       {   2.25f,   0.4f,     9.0f}, 0, {}},
    // block T3
    {draw_window_recessed,     {    5.4f,   0.4f,     9.4f}, 1, {{  90, 0, 1, 0}}},
    {draw_post_bracket,        {    5.3f,   0.0f,    13.6f}, 0, {}},
    // block T4
    {draw_window_three_pane,   {  6.775f,   2.2f,    10.9f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_wide,         {  8.425f,   0.4f,     9.0f}, 0, {}},
    {draw_window_double,       {    5.9f,   0.1f,    13.3f}, 1, {{  90, 0, 1, 0}}},
    {draw_board_row_16,        {    5.9f, 4.9918f,  9.8658f}, 1, {{  60, 1, 0, 0}}},
    // block T5
    {draw_window_narrow,       {  10.85f,   0.4f,     9.0f}, 0, {}},
    {draw_window_small,        {   11.0f,   4.3f,    10.0f}, 0, {}},
    {draw_window_narrow,       {   9.95f,  -1.6f,    15.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {   13.0f,   0.4f,   12.45f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_square,       {   12.0f,   4.3f,    12.6f}, 1, {{ -90, 0, 1, 0}}},
    // block SW1
    {draw_door_framed,         {  -11.6f,   0.0f,    14.3f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {  -12.0f,   0.4f,   15.05f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_wide,         {   -5.0f,  -1.6f,   15.65f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {   -5.0f,  -1.6f,   16.65f}, 1, {{ -90, 0, 1, 0}}},
    {draw_rafter_3_0,          {-4.5098f, 3.4007f,   14.65f}, 1, {{  46, 0, 0, 1}}},
    {draw_rafter_3_0,          {-4.5098f, 3.4007f,    16.7f}, 1, {{  46, 0, 0, 1}}},
    {draw_rafter_3_7,          {-5.0232f, 3.8061f,   14.65f}, 1, {{  67, 0, 0, 1}}},
    // block SW2
    {draw_post_bracket,        {  -10.6f,   0.0f,    19.6f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_wide,         {  -12.0f,   0.4f,   18.15f}, 1, {{  90, 0, 1, 0}}},
    {draw_door_framed,         {   -5.8f,   0.0f,   19.25f}, 0, {}},
    {draw_window_narrow,       {   -5.4f,  -1.6f,    20.0f}, 1, {{ -90, 0, 1, 0}}},
    // block SW3
    {draw_window_narrow,       {  -12.0f,  -1.6f,   21.65f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_double,       {  -10.3f,   0.1f,    20.7f}, 0, {}},
    {draw_window_narrow,       {   -5.0f,  -1.6f,   22.55f}, 1, {{ -90, 0, 1, 0}}},
    {draw_post_bracket,        {   -6.4f,   2.0f,    21.3f}, 1, {{  90, 0, 1, 0}}},
    // block SW4
    {draw_window_narrow,       {  -12.0f,  -1.6f,    24.2f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {  -12.0f,  -1.6f,    25.7f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {   -5.4f,  -1.6f,    25.1f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {   -5.4f,  -1.6f,    26.6f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_16,        {-10.9177f, 3.5671f,   22.75f}, 2, {{  45, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_chimney_wide,        {   -6.8f,   4.2f,   24.18f}, 1, {{  90, 0, 1, 0}}},
    {draw_dormer,              {   -6.4f,   3.4f,    25.0f}, 1, {{ -90, 0, 1, 0}}},
    // block SW5
    {draw_window_narrow,       {  -12.0f,   0.4f,   28.25f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_six_pane,     {  -10.1f,   3.8f,    28.3f}, 0, {}},
    {draw_window_narrow,       {   -5.0f,  -1.6f,   29.15f}, 1, {{ -90, 0, 1, 0}}},
    {draw_timber_frame,        {   -6.5f,   2.4f,    27.2f}, 1, {{  90, 0, 1, 0}}},
    // block SW6
    {draw_window_narrow,       {  -9.15f,  -1.6f,    33.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_deck_large,          {  -11.0f,  -0.6f,    31.6f}, 1, {{ 180, 0, 1, 0}}},
    {draw_rafter_3_0,          {-6.1098f, 4.1107f,   32.37f}, 1, {{  46, 0, 0, 1}}},
    {draw_rafter_3_0,          {-11.4291f, 4.2546f,   32.37f}, 1, {{ -46, 0, 0, 1}}},
    {draw_rafter_2_3,          {-5.8119f, 3.4792f,   32.37f}, 1, {{  34, 0, 0, 1}}},
    {draw_rafter_2_3,          {-5.8119f, 3.4792f,   32.37f}, 1, {{  34, 0, 0, 1}}},
    {draw_board_row_16,        {-11.0223f, 4.6887f,  29.195f}, 2, {{  37, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-11.0223f, 4.6887f,  29.465f}, 2, {{  37, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_rafter_3_7,          {-6.5799f, 4.6628f,   32.37f}, 1, {{  27, 0, 0, 1}}},
    // block SE1
    {draw_window_narrow,       {   -2.7f,  -1.6f,   15.05f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_three_pane,   {   -0.8f,   2.2f,    15.3f}, 0, {}},
    {draw_window_narrow,       {    4.0f,  -1.6f,   15.95f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_double,       {    2.3f,   0.1f,    16.9f}, 1, {{ 180, 0, 1, 0}}},
    // block SE2
    {draw_window_wide,         {   -3.0f,  -1.6f,  17.525f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_three_pane,   {   -1.1f,   0.2f,  19.475f}, 0, {}},
    {draw_window_recessed,     {    3.6f,   0.4f,   19.05f}, 0, {}},
    {draw_window_narrow,       {    4.0f,  -1.6f,    20.1f}, 1, {{ -90, 0, 1, 0}}},
    {draw_rafter_3_0,          {-3.6243f, 4.3552f,    20.4f}, 1, {{ -45, 0, 0, 1}}},
    {draw_rafter_2_3,          {-3.9539f, 3.6991f,   17.55f}, 1, {{ -34, 0, 0, 1}}},
    // block SE3
    {draw_door_framed,         {   -2.3f,   0.0f,    20.9f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {   -2.7f,   0.4f,   21.65f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_six_pane,     {    2.1f,   2.2f,  21.975f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {    4.0f,   0.4f,  23.225f}, 1, {{ -90, 0, 1, 0}}},
    // block SE4
    {draw_window_wide,         {   -3.0f,  -1.6f,   24.75f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_square,       {   -2.0f,   4.3f,    24.8f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {    4.0f,   0.4f,   25.85f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_small,        {    3.0f,   4.3f,    26.0f}, 1, {{ -90, 0, 1, 0}}},
    // block SE5
    {draw_window_narrow,       {   -2.7f,  -1.6f,   28.25f}, 1, {{  90, 0, 1, 0}}},
    {draw_post_bracket,        {   -1.3f,   2.0f,    29.5f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {    4.0f,  -1.6f,   29.15f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_small_framed, {    3.0f,   2.1f,    29.3f}, 1, {{ -90, 0, 1, 0}}},
    // block SE6
    {draw_window_wide,         {  -0.15f,   0.4f,    33.3f}, 1, {{ 180, 0, 1, 0}}},
    {draw_deck_large,          {   -1.8f,  -0.6f,    31.9f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_square,       {    3.0f,   5.1f,   31.85f}, 1, {{ -90, 0, 1, 0}}},
    // block SS
    {draw_post_bracket,        {   -5.0f,   0.0f,    32.4f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_wide,         {  -3.55f,   0.4f,    31.0f}, 0, {}},
    // block P1
    {draw_window_narrow,       { -35.85f,  -1.6f,   -16.5f}, 0, {}},
    {draw_deck_small,          {-33.8203f,   0.0f, -16.2797f}, 1, {{  20, 1, 0, 1}}},
    {draw_window_three_pane,   {  -35.2f,   2.2f,  -14.05f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {  -33.3f,   0.4f,  -11.85f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_tall,      {-36.0057f, 6.9088f,  -18.35f}, 2, {{ -38, 0, 0, 1}, {  90, 1, 0, 0}}},
    // block PJ
    {draw_door_framed,         {  -31.3f,   0.0f,    -0.6f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_wide,         { -31.85f,   0.4f,    -1.0f}, 0, {}},
    {draw_window_three_pane,   {-33.675f,   2.2f,     3.1f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {-32.025f,   0.4f,     5.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_double,       {  -34.0f,   0.1f,   0.025f}, 0, {}},
    {draw_window_three_pane,   {  -33.8f,   2.2f,   2.925f}, 0, {}},
    {draw_window_wide,         {  -29.3f,   0.4f,   1.925f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_three_pane,   {  -31.2f,   2.2f,   3.175f}, 1, {{ 180, 0, 1, 0}}},
    // block WE
    {draw_post_bracket,        { -38.15f,   2.0f,     4.4f}, 1, {{ 180, 0, 1, 0}}},
    {draw_deck_large,          { -35.05f,  -0.6f,  4.7471f}, 1, {{  -4, 1, 0, 0}}},
    {draw_window_narrow,       {  -37.8f,  -1.6f,    11.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_deck_large,          { -39.65f,  -0.6f,     9.6f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {  -33.7f,  -1.6f,    7.45f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {  -33.7f,   0.4f,    7.45f}, 1, {{ -90, 0, 1, 0}}},
    {draw_deck_large,          {  -35.1f,  -0.6f,     9.3f}, 1, {{ -90, 0, 1, 0}}},
    // block HT
    {draw_door_framed,         {  -33.7f,   0.0f,  -8.625f}, 0, {}},
    {draw_window_six_pane,     {  -35.2f,   0.2f,  -7.525f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {  -33.3f,  -1.6f,  -5.575f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {  -33.3f,  -1.6f,  -3.825f}, 1, {{ -90, 0, 1, 0}}},
    {draw_rafter_3_0,          {-34.0172f, 3.5757f,   -2.73f}, 1, {{  45, 0, 0, 1}}},
    {draw_rafter_3_0,          {-38.7243f, 3.7172f,   -2.73f}, 1, {{ -45, 0, 0, 1}}},
    {draw_rafter_2_3,          {-39.0539f, 3.0611f,   -2.73f}, 1, {{ -34, 0, 0, 1}}},
    {draw_rafter_2_3,          {-33.5222f, 3.0808f,   -2.73f}, 1, {{  45, 0, 0, 1}}},
    {draw_board_row_32,        {-37.8878f, 4.6542f,  -5.385f}, 2, {{  90, 0, 1, 0}, {  50, 1, 0, 0}}},
    // a plank ramp rising under the bridge
    {draw_plank_walkway,       {    7.0f,  2.15f,   -14.9f}, 1, {{  41, 1, 0, 0}}},
    {draw_beam_long,           {  -21.9f,   0.0f,     5.5f}, 0, {}},
    {draw_beam_long,           {  -17.1f,   0.0f,     5.5f}, 0, {}},
    {draw_post,                {  -24.9f,   0.0f,     5.5f}, 0, {}},
    {draw_post,                {  -24.9f,   2.2f,     5.5f}, 0, {}},
    {draw_post,                {  -21.6f,   0.0f,     5.5f}, 0, {}},
    {draw_post,                {  -21.6f,   2.2f,     5.5f}, 0, {}},
    {draw_post,                {  -20.8f,   0.0f,     5.5f}, 0, {}},
    {draw_post,                {  -20.8f,   2.2f,     5.5f}, 0, {}},
    {draw_post,                {  -17.1f,   0.0f,     5.5f}, 0, {}},
    {draw_post,                {  -17.1f,   2.2f,     5.5f}, 0, {}},
    // the post by the plaza gate
    {draw_post_on_base,        {  -29.7f,   0.0f,     4.8f}, 0, {}},
    // the half-timbered house on the stepped street
    {draw_gable_roof,          {  -34.0f,   0.0f,    -6.6f}, 0, {}},
    {draw_beam_long,           {  -34.0f,  -1.6f,    -3.6f}, 1, {{   2, 0, 0, 1}}},
    {draw_beam_long,           {  -34.0f,   0.0f,    -3.6f}, 0, {}},
    {draw_beam_long,           {  -34.0f,   1.7f,    -3.6f}, 0, {}},
    {draw_post,                {  -34.0f,   1.7f,   -3.65f}, 0, {}},
    {draw_post,                {  -37.6f,   1.7f,   -3.65f}, 0, {}},
    {draw_post,                {  -34.7f,   1.7f,   -3.65f}, 0, {}},
    {draw_post,                {  -36.9f,   1.7f,   -3.65f}, 0, {}},
    {draw_post,                {  -34.1f,   0.0f,   -3.65f}, 0, {}},
    {draw_post,                {  -35.6f,   0.1f,   -3.65f}, 1, {{   5, 0, 0, 1}}},
    {draw_post,                {  -37.4f,   0.0f,   -3.65f}, 0, {}},
    {draw_window_wide,         {  -37.7f,  -1.6f,    -2.1f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {  -35.5f,  -1.6f,    -2.1f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_double,       {  -37.7f,   0.0f,    -3.8f}, 1, {{  90, 0, 1, 0}}},
    // block C1
    {draw_door_framed,         { -44.75f,   1.0f,    -2.0f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       { -40.45f,  -1.6f,    -1.6f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {  -42.6f,   0.4f,    -1.6f}, 1, {{ 180, 0, 1, 0}}},
    {draw_board_row_16,        { -46.85f, 7.8206f, -6.3278f}, 3, {{  90, 0, 1, 0}, { -40, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        { -46.85f, 5.9565f, -3.0507f}, 3, {{  90, 0, 1, 0}, {  40, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        { -39.96f,   8.0f, -5.9959f}, 3, {{  90, 0, 1, 0}, { -37, 0, 0, 1}, {  90, 1, 0, 0}}},
    // block C0
    {draw_window_wide,         {-51.225f,   0.4f,    -1.9f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_wide,         {-48.375f,   0.4f,    -1.9f}, 1, {{ 180, 0, 1, 0}}},
    {draw_door_framed,         {  -52.9f,   0.0f,   -7.15f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {  -53.3f,   0.4f,  -7.775f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {  -53.3f,   0.4f,  -5.025f}, 1, {{  90, 0, 1, 0}}},
    {draw_board_row_16,        { -53.15f, 7.4487f, -6.3216f}, 3, {{  90, 0, 1, 0}, { -35, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        { -53.15f, 5.7853f, -3.2028f}, 3, {{  90, 0, 1, 0}, {  35, 0, 0, 1}, {  90, 1, 0, 0}}},
    // block D2
    {draw_post_bracket,        {  -42.3f,   0.0f,     4.7f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_wide,         { -40.85f,   0.4f,     3.3f}, 0, {}},
    {draw_post_bracket,        {  -40.7f,   2.0f,     9.6f}, 0, {}},
    {draw_board_row_16,        { -43.85f, 7.4927f,  6.7079f}, 3, {{  90, 0, 1, 0}, { -45, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        { -43.85f, 5.4421f,  9.6427f}, 3, {{  90, 0, 1, 0}, {  45, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {  -43.1f, 7.4927f,  6.7079f}, 3, {{  90, 0, 1, 0}, { -45, 0, 0, 1}, {  90, 1, 0, 0}}},
    // block D1
    {draw_door_framed,         {  -44.5f,   0.5f,     3.4f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_wide,         {-43.5625f,  -1.6f,     3.0f}, 0, {}},
    {draw_window_double,       { -46.15f,   0.1f,     9.3f}, 1, {{  90, 0, 1, 0}}},
    {draw_board_row_16,        { -47.35f, 7.7367f,  6.5722f}, 3, {{  90, 0, 1, 0}, { -40, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        { -47.35f, 5.8726f,  9.6493f}, 3, {{  90, 0, 1, 0}, {  40, 0, 0, 1}, {  90, 1, 0, 0}}},
    // block D0
    {draw_window_narrow,       { -48.95f,  -1.6f,     3.2f}, 0, {}},
    {draw_window_wide,         { -48.75f,   0.4f,     3.2f}, 0, {}},
    {draw_deck_large,          {  -47.1f,  -0.6f,  4.9471f}, 1, {{  -4, 1, 0, 0}}},
    {draw_window_wide,         { -50.05f,  -1.6f,    11.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       { -49.85f,   0.4f,    11.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_six_pane,     {  -51.4f,   0.2f,     6.7f}, 0, {}},
    {draw_post_bracket,        {  -51.9f,   2.0f,     7.9f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_16,        { -53.15f, 6.2328f,  9.7722f}, 3, {{  90, 0, 1, 0}, {  35, 0, 0, 1}, {  90, 1, 0, 0}}},
    // the post by the stepped street gate
    {draw_post_on_base,        {  -34.7f,   0.0f,     0.8f}, 0, {}},
    // the house turned 33 degrees, in its yard
    {draw_balcony,             {  -55.8f,   0.0f,    -2.6f}, 1, {{  33, 0, 1, 0}}},
    {draw_gable_roof,          {  -54.8f,   0.0f,    -3.2f}, 1, {{  33, 0, 1, 0}}},
    // block NS1
    {draw_window_wide,         { -60.05f,  -1.6f,   -16.5f}, 0, {}},
    {draw_timber_frame,        {  -62.2f,   2.4f,   -15.0f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_three_pane,   { -60.75f,   0.2f,    -9.9f}, 1, {{  90, 0, 1, 0}}},
    {draw_board_row_16,        {  -62.1f, 6.0899f, -9.6097f}, 1, {{ -50, 1, 0, 0}}},
    {draw_board_row_32,        {  -62.1f, 6.0899f, -14.8903f}, 1, {{  50, 1, 0, 0}}},
    // block NS2
    {draw_window_double,       {  -56.4f,   0.1f,   -14.8f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_wide,         { -58.45f,  -1.6f,    -8.0f}, 1, {{ 180, 0, 1, 0}}},
    // block NS3
    {draw_window_narrow,       {  -55.0f,  -1.6f,   -16.5f}, 0, {}},
    {draw_window_narrow,       {  -53.7f,  -1.6f,   -16.5f}, 0, {}},
    {draw_post_bracket,        {  -54.0f,   0.0f,    -9.4f}, 0, {}},
    {draw_board_row_16,        {  -56.3f, 6.7659f,  -9.681f}, 1, {{ -45, 1, 0, 0}}},
    // block NS4
    {draw_window_recessed,     {  -51.0f,   0.4f,   -16.1f}, 1, {{  90, 0, 1, 0}}},
    // block NS5
    {draw_window_wide,         { -48.45f,   0.4f,   -16.5f}, 0, {}},
    {draw_board_row_16,        {  -50.5f, 6.0899f, -9.6097f}, 1, {{ -50, 1, 0, 0}}},
    // block NS6
    {draw_window_wide,         { -45.55f,  -1.6f,   -16.5f}, 0, {}},
    // block NS7
    {draw_door_framed,         { -42.75f,   0.0f,   -16.1f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_wide,         {  -42.0f,  -1.6f,   -16.5f}, 0, {}},
    // block NS8
    {draw_post_bracket,        {-41.275f,   2.0f,   -15.1f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {-38.675f,   0.4f,   -16.5f}, 0, {}},
    // block NE
    {draw_window_three_pane,   {  -63.1f,   0.2f,  -18.05f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {  -61.2f,   0.4f,   -17.8f}, 1, {{ -90, 0, 1, 0}}},
    {draw_deck_large,          {  -62.6f,  -0.6f,  -15.95f}, 1, {{ -90, 0, 1, 0}}},
    {draw_dormer,              {  -62.2f,   5.5f,   -19.6f}, 1, {{ -90, 0, 1, 0}}},
    {draw_dormer,              {  -62.2f,   5.5f,   -18.0f}, 1, {{ -90, 0, 1, 0}}},
    {draw_dormer,              {  -62.2f,   5.5f,   -16.4f}, 1, {{ -90, 0, 1, 0}}},
    {draw_dormer,              {  -62.2f,   5.5f,   -18.7f}, 1, {{ -90, 0, 1, 0}}},
    {draw_dormer,              {  -62.2f,   5.5f,   -17.1f}, 1, {{ -90, 0, 1, 0}}},
    {draw_dormer,              {  -66.0f,   5.5f,   -20.8f}, 1, {{  90, 0, 1, 0}}},
    {draw_dormer,              {  -66.0f,   5.5f,   -19.2f}, 1, {{  90, 0, 1, 0}}},
    {draw_dormer,              {  -66.0f,   5.5f,   -17.6f}, 1, {{  90, 0, 1, 0}}},
    // block L1
    {draw_window_double,       {-54.275f,   0.1f,    10.7f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_double,       {-52.225f,   0.1f,    10.7f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_wide,         {  -55.3f,  -1.6f,    15.5f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_double,       { -56.05f,   0.1f,    13.8f}, 1, {{  90, 0, 1, 0}}},
    {draw_post_bracket,        {  -52.7f,   0.0f,   11.45f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_three_pane,   {  -53.2f,   2.2f,   12.45f}, 1, {{ 180, 0, 1, 0}}},
    // block J2
    {draw_window_wide,         { -59.05f,  -1.6f,     5.5f}, 0, {}},
    {draw_window_narrow,       { -59.25f,   0.4f,     5.5f}, 0, {}},
    {draw_window_three_pane,   {  -61.5f,   0.2f,   7.325f}, 0, {}},
    {draw_window_wide,         {  -63.4f,  -1.6f,   8.575f}, 1, {{  90, 0, 1, 0}}},
    {draw_timber_frame,        {  -57.5f,   4.0f,   6.275f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {  -56.0f,   2.7f,   9.675f}, 1, {{ -90, 0, 1, 0}}},
    // block J1
    {draw_window_narrow,       { -64.55f,  -1.6f,     4.5f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {  -67.0f,  -1.6f,  -12.75f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_wide,         {  -67.0f,  -1.6f,   -6.95f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_six_pane,     {  -65.1f,   0.2f,   -0.55f}, 0, {}},
    {draw_window_wide,         {  -67.0f,   0.4f,  -12.85f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_double,       {  -65.3f,   0.1f,    -7.3f}, 0, {}},
    {draw_window_three_pane,   {  -65.1f,   3.1f,   -0.05f}, 0, {}},
    {draw_window_wide,         {  -67.0f,   2.2f,    -6.8f}, 1, {{  90, 0, 1, 0}}},
    {draw_dormer,              {  -62.2f,   6.0f,   -14.1f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_three_pane,   {-56.8756f,   0.2f,  1.2524f}, 1, {{ 124, 0, 1, 0}}},
    {draw_window_three_pane,   {-54.108f,   0.2f, -0.5449f}, 1, {{ 124, 0, 1, 0}}},
    {draw_window_double,       {-56.3748f,  -0.1f,  1.1906f}, 1, {{ 124, 0, 1, 0}}},
    {draw_beam_long,           {-53.1661f,   0.0f,  -0.684f}, 1, {{  33, 0, 1, 0}}},
    {draw_beam_long,           {-53.1661f,   1.8f,  -0.684f}, 1, {{  33, 0, 1, 0}}},
    {draw_post,                {-56.2692f,   0.0f,  1.3312f}, 1, {{  33, 0, 1, 0}}},
    {draw_post,                {-53.0822f,   0.0f, -0.7385f}, 1, {{  33, 0, 1, 0}}},
    {draw_rafter_3_0,          {-52.6473f, 3.6464f,  0.0165f}, 2, {{  33, 0, 1, 0}, {  45, 0, 0, 1}}},
    {draw_rafter_3_0,          {-56.595f, 3.6464f,  2.5802f}, 2, {{  33, 0, 1, 0}, { -45, 0, 0, 1}}},
    // the house turned 21 degrees, behind the courtyard wall
    {draw_gable_roof,          {  -74.0f,   0.0f,    -3.0f}, 1, {{  21, 0, 1, 0}}},
    {draw_beam_long,           {-72.9249f,  -1.8f, -0.1993f}, 1, {{  21, 0, 1, 0}}},
    {draw_beam_long,           {-72.9249f,   0.0f, -0.1993f}, 1, {{  21, 0, 1, 0}}},
    {draw_beam_long,           {-72.9249f,   1.8f, -0.1993f}, 1, {{  21, 0, 1, 0}}},
    {draw_post,                {-76.3791f,   0.0f,  1.1267f}, 1, {{  21, 0, 1, 0}}},
    {draw_post,                {-72.8315f,   0.0f, -0.2351f}, 1, {{  21, 0, 1, 0}}},
    {draw_post,                {-74.6053f,   2.2f,  0.4458f}, 1, {{  21, 0, 1, 0}}},
    {draw_post,                {-76.3791f,   2.0f,  1.1267f}, 1, {{  21, 0, 1, 0}}},
    {draw_window_wide,         {-75.8152f,  -1.6f,  2.5046f}, 1, {{-160, 0, 1, 0}}},
    {draw_window_narrow,       {-74.1336f,  -1.6f,  1.8628f}, 1, {{-160, 0, 1, 0}}},
    {draw_window_narrow,       {-75.814f,   0.3f,  2.5079f}, 1, {{-160, 0, 1, 0}}},
    {draw_window_narrow,       {-74.1336f,   0.3f,  1.8628f}, 1, {{-160, 0, 1, 0}}},
    {draw_rafter_3_0,          {-72.5677f, 3.6464f,  0.5823f}, 2, {{  23, 0, 1, 0}, {  45, 0, 0, 1}}},
    {draw_rafter_3_0,          {-76.953f, 3.6464f,  2.2921f}, 2, {{  23, 0, 1, 0}, { -45, 0, 0, 1}}},
    // the post by the courtyard gate
    {draw_post_on_base,        {  -61.6f,   0.0f,     3.7f}, 0, {}},
    // the house on the courtyard's east side
    {draw_house,               {  -64.7f,   0.0f,    16.0f}, 1, {{ 180, 0, 1, 0}}},
    // block K0
    {draw_dormer,              {  -59.3f,   5.0f,    10.7f}, 1, {{  90, 0, 1, 0}}},
    // block K1
    {draw_door_framed,         {  -63.0f,   0.0f,   17.05f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_three_pane,   {  -61.5f,   2.2f,    16.3f}, 0, {}},
    {draw_window_narrow,       {  -63.4f,   0.4f,    19.5f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {  -56.0f,  -1.6f,    18.7f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_double,       {  -57.7f,   0.1f, 17.5333f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_three_pane,   {  -57.9f,   2.2f,   18.45f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_double,       {  -57.7f,   0.1f, 21.7667f}, 1, {{ 180, 0, 1, 0}}},
    {draw_board_row_16,        {-62.1993f, 5.0467f,   13.65f}, 2, {{  40, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-59.4222f, 6.9108f,   13.65f}, 2, {{ -40, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-62.1993f, 5.0467f,    14.4f}, 2, {{  40, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_dormer,              {  -62.4f,   4.8f,    17.9f}, 1, {{  90, 0, 1, 0}}},
    {draw_board_row_tall,      {-62.1172f, 5.1817f,  16.475f}, 2, {{  38, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-62.6573f, 4.5964f,   20.35f}, 2, {{  42, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-59.0507f,   6.5f,   20.35f}, 2, {{ -37, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-62.6573f, 4.5964f,   20.35f}, 2, {{  42, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-59.0507f,   6.5f,   20.35f}, 2, {{ -37, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_tall,      {-59.2299f, 6.6833f,  15.725f}, 2, {{ -38, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_tall,      {-62.5522f, 4.8167f,  15.725f}, 2, {{  38, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_tall,      {-59.5477f,  6.95f,  15.725f}, 2, {{ -38, 0, 0, 1}, {  90, 1, 0, 0}}},
    // block K2
    {draw_window_wide,         { -61.15f,   0.4f,   31.85f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       { -58.75f,   0.4f,   31.85f}, 1, {{ 180, 0, 1, 0}}},
    {draw_post_bracket,        {  -61.6f,   0.0f, 25.3375f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_three_pane,   {  -61.1f,   0.2f, 28.4625f}, 0, {}},
    {draw_window_six_pane,     {  -61.1f,   2.2f, 24.0375f}, 0, {}},
    {draw_window_narrow,       {  -63.0f,   0.4f, 28.1125f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {  -56.0f,  -1.6f,  26.875f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_double,       {  -57.7f,   0.1f, 25.3417f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_wide,         {  -56.0f,   0.4f,  27.575f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {  -56.0f,   0.4f, 29.8583f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_16,        {-61.8177f, 5.2671f,   21.15f}, 2, {{  45, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-59.2329f, 7.3177f,   21.15f}, 2, {{ -45, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-61.8177f, 5.2671f,    21.9f}, 2, {{  45, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-59.2329f, 7.3177f,    21.9f}, 2, {{ -45, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-59.5583f, 7.6073f, 29.1325f}, 2, {{ -44, 0, 0, 1}, {  90, 1, 0, 0}}},
    // block WN
    {draw_post_bracket,        {  -84.7f,   2.0f,     3.1f}, 0, {}},
    {draw_window_six_pane,     {  -84.9f,   0.2f, -12.425f}, 1, {{ 180, 0, 1, 0}}},
    {draw_door_framed,         {  -83.4f,   0.0f,  -7.025f}, 0, {}},
    {draw_window_narrow,       {  -83.0f,  -1.6f,  -3.325f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {  -83.0f,  -1.6f,   1.125f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_double,       {  -84.7f,   0.1f,  -9.275f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_double,       {  -84.7f,   0.1f,  -0.225f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_double,       {  -84.7f,   1.9f,   -4.75f}, 1, {{ 180, 0, 1, 0}}},
    {draw_deck_large,          {  -84.4f,   0.9f,   -3.85f}, 1, {{ -90, 0, 1, 0}}},
    // block NX
    {draw_window_recessed,     {-80.9188f,   0.4f,   -21.6f}, 1, {{  90, 0, 1, 0}}},
    {draw_post_bracket,        {-72.3063f,   0.0f,   -20.6f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_wide,         {-84.5062f,   0.4f,   -22.0f}, 0, {}},
    {draw_door_framed,         {-80.6187f,   2.3f,   -21.6f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_recessed,     {-77.5812f,   2.4f,   -21.6f}, 1, {{  90, 0, 1, 0}}},
    {draw_window_narrow,       {-74.6937f,   0.4f,   -22.0f}, 0, {}},
    {draw_post_bracket,        {-72.5062f,   2.0f,   -20.6f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_wide,         {-67.4188f,   0.4f,   -22.0f}, 0, {}},
    {draw_window_wide,         { -80.05f,  -1.6f,   -14.5f}, 1, {{ 180, 0, 1, 0}}},
    {draw_post_bracket,        {  -69.9f,   0.0f,   -15.9f}, 0, {}},
    {draw_window_narrow,       {-81.4167f,   0.4f,   -14.5f}, 1, {{ 180, 0, 1, 0}}},
    {draw_post_bracket,        {  -74.4f,   2.0f,   -15.9f}, 0, {}},
    {draw_window_wide,         {-69.8833f,   0.4f,   -14.5f}, 1, {{ 180, 0, 1, 0}}},
    {draw_dormer,              {  -86.0f,   5.0f,   -21.0f}, 0, {}},
    {draw_dormer,              {  -84.4f,   5.0f,   -21.0f}, 0, {}},
    {draw_dormer,              {  -82.8f,   5.0f,   -21.0f}, 0, {}},
    {draw_dormer,              {  -87.2f,   5.0f,   -15.5f}, 1, {{ 180, 0, 1, 0}}},
    {draw_board_row_8,         {-68.425f,   6.3f, -19.483f}, 3, {{  90, 0, 1, 0}, { -37, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_dormer,              {  -87.2f,   5.0f,   -15.5f}, 1, {{ 180, 0, 1, 0}}},
    // the west house by the lean-to
    {draw_house,               {  -85.0f,   0.0f,     8.0f}, 0, {}},
    // block WT1
    {draw_window_six_pane,     {  -87.9f,   0.2f,   5.625f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_narrow,       {  -86.0f,  -1.6f,   8.375f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_small_framed, {  -87.0f,   2.1f,     7.1f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_16,        {-86.3573f, 4.328f,     3.6f}, 2, {{ -90, 0, 1, 0}, {  60, 1, 0, 0}}},
    {draw_chimney_wide,        { -86.35f, 4.2339f,     4.8f}, 1, {{  90, 0, 1, 0}}},
    {draw_chimney_wide,        { -87.15f, 4.9052f,   5.688f}, 1, {{  90, 0, 1, 0}}},
    {draw_chimney_wide,        { -87.15f, 4.9052f,   6.576f}, 1, {{  90, 0, 1, 0}}},
    {draw_chimney_wide,        { -86.94f, 4.729f,   5.064f}, 1, {{  90, 0, 1, 0}}},
    {draw_chimney_wide,        {-86.6966f, 4.315f,    8.09f}, 0, {}},
    {draw_chimney_narrow,      {-87.0479f,   4.4f,    6.05f}, 0, {}},
    {draw_chimney_narrow,      { -87.65f, 4.9052f,   7.826f}, 0, {}},
    // block WT2
    {draw_window_three_pane,   {  -87.9f,   0.2f,   15.05f}, 1, {{ 180, 0, 1, 0}}},
    {draw_window_wide,         {  -86.0f,  -1.6f,   17.85f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {  -86.0f,  -1.6f,   20.05f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_tall,      {-87.9476f, 3.9734f,   10.65f}, 2, {{  50, 0, 0, 1}, {  90, 1, 0, 0}}},
    {draw_board_row_16,        {-87.7656f, 2.2668f, 13.2773f}, 1, {{  60, 1, 0, 0}}},
    {draw_board_row_16,        {-87.7656f, 2.2668f, 13.9402f}, 1, {{  60, 1, 0, 0}}},
    {draw_board_row_16,        {-87.7656f, 2.9043f,   14.65f}, 1, {{  90, 1, 0, 0}}},
    {draw_board_row_8,         {-87.8656f, 5.1542f,    13.4f}, 1, {{  90, 1, 0, 0}}},
    {draw_board_row_32,        {-85.9906f, 5.2592f,    14.0f}, 2, {{  90, 1, 0, 0}, {  90, 0, 0, 1}}},
    {draw_board_row_32,        {-86.1906f, 5.3993f,    15.0f}, 2, {{  90, 1, 0, 0}, {  90, 0, 0, 1}}},
    {draw_board_row_32,        {-84.7806f, 2.7222f,    14.2f}, 2, {{  90, 1, 0, 0}, {  90, 0, 0, 1}}},
    {draw_board_row_32,        {-85.9906f, 3.707f, 15.4846f}, 2, {{  90, 0, 0, 1}, { -57, 0, 1, 0}}},
    {draw_chimney_wide,        {  -87.4f, 5.2802f,   17.94f}, 0, {}},
    {draw_chimney_wide,        {-87.3683f, 5.258f,   17.16f}, 0, {}},
    {draw_chimney_narrow,      { -87.65f, 5.2802f,   17.61f}, 0, {}},
    {draw_board_row_16,        {-84.8304f,   2.0f,   14.95f}, 2, {{ -90, 0, 1, 0}, {  60, 1, 0, 0}}},
    // the west house behind the arcade
    {draw_house,               {  -85.0f,   0.0f,    28.0f}, 0, {}},
    // block WT3
    {draw_window_wide,         {  -86.0f,  -1.6f,    23.4f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {  -86.0f,  -1.6f,    25.9f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {  -86.0f,  -1.6f,    28.4f}, 1, {{ -90, 0, 1, 0}}},
    {draw_window_narrow,       {  -86.0f,   0.4f,    25.7f}, 1, {{ -90, 0, 1, 0}}},
    {draw_board_row_tall,      {-87.9396f, 3.9817f,   18.15f}, 2, {{  50, 0, 0, 1}, {  90, 1, 0, 0}}},
    // the courtyard: canopy over the way home, orb, arcade
    {draw_vault_canopy,        {  -75.0f,   0.0f,    16.3f}, 0, {}},
    {draw_ring_orb,            {  -75.9f,   0.6f,    20.0f}, 0, {}},
    {draw_arcade_fence,        {  -80.0f,   0.0f,    30.0f}, 0, {}},
    {draw_gothic_window,       {  -66.0f,  3.25f,   30.49f}, 0, {}},
    {draw_gothic_window,       {  -70.0f,  3.25f,   30.49f}, 0, {}},
    {draw_gothic_window,       {  -77.0f,  3.25f,   30.49f}, 0, {}},
    {draw_gothic_window,       {  -81.0f,  3.25f,   30.49f}, 0, {}},
    // a lean-to by the porch of the west house
    {draw_board_row_16,        {  -86.0f,   2.0f,    10.5f}, 1, {{ -45, 1, 0, 0}}},
};
// clang-format on
static_assert(std::size(WORLD2_LAYOUT) == WORLD2_LAYOUT_ROWS);

void draw_world2_layout_row(const ModelPlacement& row) {
    Placement block;
    glTranslatef(row.translation.x, row.translation.y, row.translation.z);
    for (int k = 0; k < row.rotation_count; ++k) {
        const ModelRotation& r = row.rotations[k];
        glRotatef(r.angle, r.axis_x, r.axis_y, r.axis_z);
    }
    row.model();
}

void draw_world2_layout() {
    for (const ModelPlacement& row : WORLD2_LAYOUT) draw_world2_layout_row(row);
}
