/* What a shaped window costs the X server, seen from a second X client.
 *   xshape_probe rtt SECONDS
 *     one connection kept open; every 50 ms a round trip (XGetInputFocus) is
 *     timed; prints the median, p99 and slowest, then the rectangle count of
 *     the most complex bounding shape among the windows on the display.
 *   xshape_probe move RECTS SECONDS
 *     a bare override-redirect window whose shape has RECTS one-pixel-high
 *     rectangles (six runs per row, no two rows alike) moved one pixel every
 *     20 ms, as a drifting caption is: the X server's share of that, measured
 *     from outside, is what any shaped window of that complexity costs.
 * Native Linux (Xlib + XShape); prints only. */
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void sleep_ms(long ms) {
  struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&t, NULL);
}

static int by_value(const void *a, const void *b) {
  double x = *(const double *)a, y = *(const double *)b;
  return (x > y) - (x < y);
}

/* The largest bounding-shape rectangle count under WINDOW, itself included. */
static int most_rects(Display *d, Window window) {
  int best = 0, count = 0, ordering = 0;
  XRectangle *rects = XShapeGetRectangles(d, window, ShapeBounding, &count, &ordering);
  if (rects) XFree(rects);
  best = count;
  Window root, parent, *children = NULL;
  unsigned n = 0;
  if (XQueryTree(d, window, &root, &parent, &children, &n)) {
    for (unsigned i = 0; i < n; i++) {
      int c = most_rects(d, children[i]);
      if (c > best) best = c;
    }
    if (children) XFree(children);
  }
  return best;
}

static int round_trips(Display *d, double seconds) {
  int cap = (int)(seconds * 20) + 2, n = 0;
  double *ms = malloc(sizeof(double) * cap);
  double end = now_ms() + seconds * 1e3;
  while (now_ms() < end && n < cap) {
    Window focus;
    int revert;
    double a = now_ms();
    XGetInputFocus(d, &focus, &revert);
    ms[n++] = now_ms() - a;
    sleep_ms(50);
  }
  qsort(ms, n, sizeof(double), by_value);
  printf("round trip: %d samples, median %.2f ms, p99 %.2f ms, slowest %.2f ms\n", n, ms[n / 2],
         ms[n * 99 / 100], ms[n - 1]);
  printf("shape: %d rectangles in the most complex window\n",
         most_rects(d, DefaultRootWindow(d)));
  free(ms);
  return 0;
}

static int move_shaped(Display *d, int rects, double seconds) {
  const int runs = 6, width = 946;
  int rows = rects / runs > 0 ? rects / runs : 1;
  XSetWindowAttributes a;
  memset(&a, 0, sizeof a);
  a.override_redirect = True;
  a.background_pixel = 0x00ff00;
  Window win = XCreateWindow(d, DefaultRootWindow(d), 100, 100, width, rows, 0, CopyFromParent,
                             InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
  XRectangle *r = malloc(sizeof(XRectangle) * rows * runs);
  int n = 0, seg = width / runs;
  for (int y = 0; y < rows; y++)
    for (int k = 0; k < runs; k++, n++) {
      r[n].x = (short)(k * seg + (y * 7 + k * 3) % (seg / 3 + 1));
      r[n].y = (short)y;
      r[n].width = (unsigned short)(seg / 3 + y % 5);
      r[n].height = 1;
    }
  XShapeCombineRectangles(d, win, ShapeBounding, 0, 0, r, n, ShapeSet, YXBanded);
  free(r);
  XMapWindow(d, win);
  XSync(d, False);
  int ticks = (int)(seconds * 50);
  for (int i = 0; i < ticks; i++) {
    XMoveWindow(d, win, 100 + i % 400, 100);
    XSync(d, False);
    sleep_ms(20);
  }
  printf("moved a window of %d shape rectangles %d times\n", n, ticks);
  return 0;
}

int main(int argc, char **argv) {
  Display *d = XOpenDisplay(NULL);
  if (!d) {
    fprintf(stderr, "xshape_probe: no display\n");
    return 2;
  }
  if (argc == 3 && strcmp(argv[1], "rtt") == 0) return round_trips(d, atof(argv[2]));
  if (argc == 4 && strcmp(argv[1], "move") == 0) return move_shaped(d, atoi(argv[2]), atof(argv[3]));
  fprintf(stderr, "usage: xshape_probe rtt SECONDS | move RECTS SECONDS\n");
  return 2;
}
