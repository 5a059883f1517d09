#pragma once
// What the paddle did, after the dit/dah orientation has been applied.

enum class PaddleEvent { DitPressed, DitReleased, DahPressed, DahReleased };
