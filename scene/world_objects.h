// Objects the frame composition places itself, outside the town's layout table.
#pragma once

// World 1's hall: its walls, ceiling and wall panels, at the origin.
void draw_world1_hall();
