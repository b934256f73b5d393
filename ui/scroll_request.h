#pragma once
// What a scroll bar asks for, as the window system reports it: the display window's bars and
// the tuning dialog's sliders both act on these.
namespace velokrom {

// Back and forward are left and right on a horizontal bar, up and down on a vertical one; Top
// and Bottom are the keyboard's Home and End on a focused bar.
enum class ScrollRequest { LineBack, LineForward, PageBack, PageForward, Thumb, Top, Bottom, EndScroll, Other };

} // namespace velokrom
