#pragma once
// The names of a run's pictures, DIR/STEM_regionR.png: one stem per pattern of the run, made
// from its path, unique within the run and never naming another file of the run, so that no
// picture replaces another picture, a pattern or a file the run reads or writes.

#include <string>
#include <vector>

class PlotNames {
  public:
    // Stems for the patterns in run order, whose pictures are of regions 1 to `regions`;
    // `kept` are the other files the run reads or writes (the patterns among them).
    PlotNames(const std::string& dir, const std::vector<std::string>& patterns, int regions,
              const std::vector<std::string>& kept);

    // The picture of region regionNumber of the run's pattern-th pattern (from 0).
    std::string path(std::size_t pattern, int regionNumber) const;

  private:
    std::string dir_;
    std::vector<std::string> stems_;
};
