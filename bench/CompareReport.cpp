#include "bench/CompareReport.h"

#include "bench/Processes.h"
#include "platform/AsciiText.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <tuple>
#include <type_traits>
#include <utility>

namespace kiv::bench {
namespace {

void Row(std::ostream& out, const std::string& label, const std::vector<std::string>& cells) {
  std::string line = Format("  %-36s", label.c_str());
  for (const std::string& cell : cells)
    line += Format("%18s", cell.c_str());
  out << line << "\n";
}

// One cell per item: the item's text, or its number in the format.
template <class Item, class Value>
std::vector<std::string> Cells(const std::vector<Item>& items, Value&& value,
                               const char* format = "%.1f") {
  std::vector<std::string> cells;
  for (const Item& item : items) {
    if constexpr (std::is_convertible_v<decltype(value(item)), std::string>)
      cells.push_back(value(item));
    else
      cells.push_back(Format(format, value(item)));
  }
  return cells;
}

std::string Spread(const Samples& samples, const char* format) {
  return Format(format, samples.Median()) + " [" + Format(format, samples.Min()) + ", " +
         Format(format, samples.Max()) + "]";
}

std::string Duration(double seconds) {
  const long whole = std::lround(seconds);
  return Format("%ld min %02ld s", whole / 60, whole % 60);
}

void PrintFreshPages(std::ostream& out, const FreshPageRates& rates) {
  out << "Fresh memory, MB/s of first touches, one write per 4 KiB page of a new 256 MiB region\n";
  Row(out, "4 KiB pages", {Format("%.0f", rates.smallPagesMBps)});
  Row(out, "transparent huge pages",
      {rates.hugePagesMBps > 0 ? Format("%.0f", rates.hugePagesMBps) : "none"});
  out << "  (what a read pays for its models' memory, which is all fresh: the machine's figure\n"
         "   to set beside the read rows of another machine)\n\n";
}

void PrintReads(std::ostream& out, const std::string& title,
                const std::vector<ReadFigures>& reads) {
  const auto rate = [](const Samples ReadFigures::*times) {
    return [times](const ReadFigures& r) { return Rates(r.input.Megabytes(), r.*times).Median(); };
  };
  out << "Read, MB/s of the file, " << title << "\n";
  Row(out, "", Cells(reads, [](const ReadFigures& r) { return r.input.Name(); }));
  Row(out, "file size, MB", Cells(reads, [](const ReadFigures& r) { return r.input.Megabytes(); }));
  Row(out, "TModFile full Open", Cells(reads, rate(&ReadFigures::ours)));
  Row(out, "std::from_chars tokenizer", Cells(reads, rate(&ReadFigures::fromChars)));
  Row(out, "std::istream >> double", Cells(reads, rate(&ReadFigures::istream)));
  Row(out, "reading into a reused buffer only", Cells(reads, rate(&ReadFigures::readOnly)));
  Row(out, "copying the models read", Cells(reads, rate(&ReadFigures::modelCopy)));
  Row(out, "ours / from_chars",
      Cells(
          reads, [](const ReadFigures& r) { return r.Against(r.fromChars).Median(); }, "%.2f"));
  Row(out, "ours / istream",
      Cells(
          reads, [](const ReadFigures& r) { return r.Against(r.istream).Median(); }, "%.2f"));
  Row(out, "copying / from_chars, in time",
      Cells(
          reads, [](const ReadFigures& r) { return Ratios(r.modelCopy, r.fromChars).Median(); },
          "%.2f"));
  out << "  (column: the writer's 12-character columns; general: the same values as \"%.6g\"\n"
         "   words, integers where whole, one to three blanks apart. istream: operator>> over a\n"
         "   stream buffer on the same file service and 256 KiB buffer as the others, in the\n"
         "   classic locale, so what it adds is its own work per word. Copying: the models read,\n"
         "   copied into fresh memory, the same records and heap blocks as the reader makes,\n"
         "   without any text: what building them costs before a character is read)\n";
}

void PrintWrites(std::ostream& out, const std::vector<WriteFigures>& writes) {
  using Baseline = const Timings WriteFigures::*;
  const auto rate = [](Baseline baseline) {
    return [baseline](const WriteFigures& w) {
      return Rates(static_cast<double>(w.baselineBytes) / kMB, (w.*baseline).wall).Median();
    };
  };
  const auto ratio = [](Baseline baseline, bool cpu) {
    return [baseline, cpu](const WriteFigures& w) {
      return cpu ? w.Against(w.ours.cpu, (w.*baseline).cpu).Median()
                 : w.Against(w.ours.wall, (w.*baseline).wall).Median();
    };
  };
  out << "\nWrite, MB/s of the output\n";
  Row(out, "", Cells(writes, [](const WriteFigures& w) { return w.name; }));
  Row(out, "output size, MB", Cells(writes, [](const WriteFigures& w) { return w.Megabytes(); }));
  Row(out, "TModFile", Cells(writes, [](const WriteFigures& w) {
        return Rates(w.Megabytes(), w.ours.wall).Median();
      }));
  Row(out, "std::to_chars columns", Cells(writes, rate(&WriteFigures::toChars)));
  Row(out, "snprintf(\"%12.4e\") columns", Cells(writes, rate(&WriteFigures::snprintf)));
  Row(out, "the same bytes, written only", Cells(writes, [](const WriteFigures& w) {
        return Rates(w.Megabytes(), w.writeOnly).Median();
      }));
  Row(out, "ours / to_chars", Cells(writes, ratio(&WriteFigures::toChars, false), "%.2f"));
  Row(out, "ours / snprintf", Cells(writes, ratio(&WriteFigures::snprintf, false), "%.2f"));
  Row(out, "ours / to_chars, processor time",
      Cells(writes, ratio(&WriteFigures::toChars, true), "%.2f"));
  Row(out, "ours / snprintf, processor time",
      Cells(writes, ratio(&WriteFigures::snprintf, true), "%.2f"));
  Row(out, "output equals the generated file",
      Cells(writes, [](const WriteFigures& w) { return w.identical; }));
  out << "  (the models written are those read from the general form: \"yes\" shows that the\n"
         "   general form held the same values and that the generator writes as the writer)\n";
}

void PrintRun(std::ostream& out, const RunFigures& run) {
  out << "\nRun of VesmarInvChk, ms (median of " << run.runs << ")\n";
  Row(out, "examples/run/job1.xyz", {Format("%.2f", run.examplesMs.Median())});
  Row(out,
      Format("%.0f MB model file (%lld models)", static_cast<double>(run.bigBytes) / kMB,
             static_cast<long long>(run.bigModels)),
      {Format("%.2f", run.bigMs.Median())});
}

void PrintMemory(std::ostream& out, const std::vector<MemoryFigures>& memory) {
  const auto perByte = [](bool growth) {
    return [growth](const MemoryFigures& m) {
      return m.PerFileByte(growth ? m.growthMiB.Median() : m.ModelMiB());
    };
  };
  out << "\nPeak memory of a full read, MiB (a child process per read and repetition)\n";
  Row(out, "", Cells(memory, [](const MemoryFigures& m) { return m.input.Name(); }));
  Row(out, "growth of the peak resident size",
      Cells(memory, [](const MemoryFigures& m) { return m.growthMiB.Median(); }));
  Row(out, "models in memory", Cells(memory, [](const MemoryFigures& m) { return m.ModelMiB(); }));
  Row(out, "allowed: 1.3 x models + 16",
      Cells(memory, [](const MemoryFigures& m) { return m.BoundMiB(); }));
  Row(out, "growth / models",
      Cells(
          memory, [](const MemoryFigures& m) { return m.growthMiB.Median() / m.ModelMiB(); },
          "%.2f"));
  Row(out, "growth, bytes per byte of file", Cells(memory, perByte(true), "%.2f"));
  Row(out, "models, bytes per byte of file", Cells(memory, perByte(false), "%.2f"));
  out << "  (models in memory: each model's record plus the usable size of every heap block it\n"
         "   owns, down to each lateral array and string; growth: VmHWM after Open minus before.\n"
         "   Per byte of file, the same models weigh more against the shorter general form)\n";
}

void PrintLinearity(std::ostream& out, const std::vector<LinearityFigures>& linearity) {
  const LinearityFigures& first = linearity.front();
  out << Format("\nLinearity, ms (median of %zu)\n", first.smallMs.values.size());
  Row(out, "",
      {Format("%lld models", static_cast<long long>(first.models)),
       Format("%lld models", static_cast<long long>(2 * first.models)), "size ratio"});
  for (const LinearityFigures& l : linearity)
    Row(out, l.name,
        {Format("%.2f", l.smallMs.Median()), Format("%.2f", l.largeMs.Median()),
         Format("%.2f", l.sizeRatio)});
}

void PrintGoals(std::ostream& out, const std::vector<Goal>& goals) {
  out << "\nGoals: each ratio is taken within one repetition; the median of the repetitions\n"
         "decides, [least, greatest] shows their spread\n";
  for (const Goal& goal : goals) {
    out << (goal.Met() ? "met:    " : "missed: ") << goal.text << "\n";
    for (const Check& c : goal.checks)
      out << Format("    %-7s %-40s %-24s goal %s %s%s\n", c.Met() ? "met" : "missed",
                    c.item.c_str(), Spread(c.values, c.format).c_str(),
                    c.atMost ? "<=" : ">=", Format(c.format, c.bound).c_str(),
                    c.obstacle.empty() ? "" : ("; " + c.obstacle).c_str());
  }
}

// ---- JSON ----

// A JSON object written field by field on one line.
class JsonObject {
public:
  JsonObject& Number(const std::string& name, double value) {
    return Field(name, Format("%.6g", value));
  }
  JsonObject& Text(const std::string& name, const std::string& value) {
    return Field(name, platform::JsonString(value));
  }
  JsonObject& Spread(const std::string& name, const Samples& samples) {
    return Field(name, JsonObject()
                           .Number("median", samples.Median())
                           .Number("min", samples.Min())
                           .Number("max", samples.Max())
                           .str());
  }
  JsonObject& Field(const std::string& name, const std::string& json) {
    text_ += (text_.empty() ? "" : ", ") + platform::JsonString(name) + ": " + json;
    return *this;
  }
  std::string str() const { return "{" + text_ + "}"; }

private:
  std::string text_;
};

// An object of one field per item, each on its own line.
template <class Item, class Describe>
std::string JsonItems(const std::vector<Item>& items, Describe&& describe) {
  std::string text = "{";
  for (const Item& item : items) {
    const auto [name, object] = describe(item);
    text +=
        (text.size() > 1 ? ",\n    " : "\n    ") + platform::JsonString(name) + ": " + object.str();
  }
  return text + "\n  }";
}

} // namespace

std::string Format(const char* format, ...) {
  char text[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

std::vector<Goal> Goals(const Figures& figures) {
  const auto& [reads, writes, run, memory, linearity] =
      std::tie(figures.reads, figures.writes, figures.run, figures.memory, figures.linearity);
  std::vector<Goal> goals;
  // A model file's reader should cost little more than splitting the file into numbers, as the
  // programs run it: building the records alone takes 0.75 to 0.9 of the tokenizer's time, so the
  // reader's own text work must stay well below the tokenizer's.
  for (const auto& [form, fromChars, istream] :
       {std::tuple{"column", 0.8, 5.0}, std::tuple{"general", 0.75, 2.5}}) {
    Goal goal{Format("Full read of the %s form, either style, as the programs run it: >= %.2f of "
                     "the from_chars tokenizer and >= %.1fx the istream reader",
                     form, fromChars, istream)};
    for (const ReadFigures& r : reads) {
      if (r.input.form != form)
        continue;
      goal.checks.push_back(
          {r.input.Name() + ": TModFile / from_chars", r.Against(r.fromChars), false, fromChars});
      goal.checks.push_back(
          {r.input.Name() + ": TModFile / istream", r.Against(r.istream), false, istream});
    }
    goals.push_back(goal);
  }
  {
    Goal goal{"Write, either layout: >= 1.0 of the to_chars formatter and >= 2.5x snprintf"};
    for (const WriteFigures& w : writes) {
      goal.checks.push_back(
          {w.name + ": TModFile / to_chars", w.Against(w.ours.wall, w.toChars.wall), false, 1.0});
      goal.checks.push_back(
          {w.name + ": TModFile / snprintf", w.Against(w.ours.wall, w.snprintf.wall), false, 2.5});
    }
    goals.push_back(goal);
  }
  {
    Goal goal{"The run on a model file of >= 1 GB: <= 1.5x the run on examples/"};
    Check check{Format("%.0f MB file / examples", static_cast<double>(run.bigBytes) / kMB),
                Ratios(run.bigMs, run.examplesMs), true, 1.5};
    if (run.bigBytes < 1000000000ull)
      check.obstacle = "this run's file is smaller than 1 GB";
    else if (run.bigExit != 100 || run.examplesExit != 100)
      check.obstacle = Format("exit codes %d and %d, not 100", run.bigExit, run.examplesExit);
    goal.checks.push_back(check);
    goals.push_back(goal);
  }
  {
    Goal goal{"Peak memory of a full read: <= 1.3x the models' in-memory size + 16 MiB"};
    for (const MemoryFigures& m : memory)
      goal.checks.push_back(
          {m.input.Name() + ": peak growth, MiB", m.growthMiB, true, m.BoundMiB(), "%.0f"});
    goals.push_back(goal);
  }
  {
    Goal goal{"Conversion and save preparation linear in models x layers x lateral width: time "
              "ratio of twice the models <= 1.5x the size ratio"};
    for (const LinearityFigures& l : linearity)
      goal.checks.push_back(
          {l.name + ": time ratio", Ratios(l.largeMs, l.smallMs), true, 1.5 * l.sizeRatio});
    goals.push_back(goal);
  }
  return goals;
}

void PrintReport(std::ostream& out, const RunContext& context, const Figures& figures,
                 const std::vector<Goal>& goals) {
  out << "kiv model-file comparison, commit " << context.commit << ", " << context.date << ", "
      << ProcessorCount() << " x " << ProcessorName() << "\n"
      << (context.quick ? "quick mode" : "full mode") << ", " << context.repetitions
      << " repetitions, took " << Duration(context.setupSeconds + context.seconds)
      << (context.setupSeconds > 0
              ? " (" + Duration(context.setupSeconds) + " of it building and setting up)"
              : std::string())
      << "; MB = 10^6 bytes, MiB = 2^20 bytes\n"
      << Format("%d layers, constraint mode %d, seed %llu\n\n", context.layers, context.lci,
                static_cast<unsigned long long>(context.seed));
  PrintFreshPages(out, figures.freshPages);
  PrintReads(out, "as the programs run it (" + figures.heap + ")", figures.reads);
  out << "\n";
  PrintReads(out, "with " + figures.defaultHeap, figures.defaultReads);
  PrintWrites(out, figures.writes);
  PrintRun(out, figures.run);
  PrintMemory(out, figures.memory);
  PrintLinearity(out, figures.linearity);
  PrintGoals(out, goals);
}

void WriteJson(const std::string& path, const RunContext& context, const Figures& figures,
               const std::vector<Goal>& goals) {
  const auto& [reads, writes, run, memory, linearity] =
      std::tie(figures.reads, figures.writes, figures.run, figures.memory, figures.linearity);
  const auto readItems = [](const std::vector<ReadFigures>& items) {
    return JsonItems(items, [](const ReadFigures& r) {
      const double mb = r.input.Megabytes();
      return std::pair{r.input.Name(), JsonObject()
                                           .Number("file_bytes", static_cast<double>(r.input.bytes))
                                           .Number("models", static_cast<double>(r.input.models))
                                           .Spread("ours", Rates(mb, r.ours))
                                           .Spread("from_chars", Rates(mb, r.fromChars))
                                           .Spread("istream", Rates(mb, r.istream))
                                           .Spread("read_only", Rates(mb, r.readOnly))
                                           .Spread("model_copy", Rates(mb, r.modelCopy))
                                           .Spread("ratio_from_chars", r.Against(r.fromChars))
                                           .Spread("ratio_istream", r.Against(r.istream))};
    });
  };
  const JsonObject heading = JsonObject()
                                 .Text("commit", context.commit)
                                 .Text("date", context.date)
                                 .Number("processors", ProcessorCount())
                                 .Text("cpu", ProcessorName())
                                 .Text("mode", context.quick ? "quick" : "full")
                                 .Number("repetitions", context.repetitions)
                                 .Number("seconds", context.seconds)
                                 .Number("setup_seconds", context.setupSeconds)
                                 .Text("heap", figures.heap)
                                 .Text("default_heap", figures.defaultHeap);
  std::ofstream json(path);
  const std::string head = heading.str();
  json << head.substr(0, head.size() - 1) << ",\n  \"read_mb_per_s\": " << readItems(reads)
       << ",\n  \"default_heap_read_mb_per_s\": " << readItems(figures.defaultReads)
       << ",\n  \"fresh_pages_mb_per_s\": "
       << JsonObject()
              .Number("small_pages", figures.freshPages.smallPagesMBps)
              .Number("huge_pages", figures.freshPages.hugePagesMBps)
              .str()
       << ",\n  \"write_mb_per_s\": "
       << JsonItems(writes,
                    [](const WriteFigures& w) {
                      const double baseMb = static_cast<double>(w.baselineBytes) / kMB;
                      return std::pair{
                          w.name,
                          JsonObject()
                              .Number("output_bytes", static_cast<double>(w.bytes))
                              .Spread("ours", Rates(w.Megabytes(), w.ours.wall))
                              .Spread("to_chars", Rates(baseMb, w.toChars.wall))
                              .Spread("snprintf", Rates(baseMb, w.snprintf.wall))
                              .Spread("write_only", Rates(w.Megabytes(), w.writeOnly))
                              .Spread("ratio_to_chars", w.Against(w.ours.wall, w.toChars.wall))
                              .Spread("ratio_snprintf", w.Against(w.ours.wall, w.snprintf.wall))
                              .Spread("cpu_ratio_to_chars", w.Against(w.ours.cpu, w.toChars.cpu))
                              .Spread("cpu_ratio_snprintf", w.Against(w.ours.cpu, w.snprintf.cpu))
                              .Text("equals_generated", w.identical)};
                    })
       << ",\n  \"run_ms\": "
       << JsonObject()
              .Number("runs", run.runs)
              .Spread("examples", run.examplesMs)
              .Spread("big_file", run.bigMs)
              .Number("big_file_bytes", static_cast<double>(run.bigBytes))
              .Spread("ratio", Ratios(run.bigMs, run.examplesMs))
              .str()
       << ",\n  \"memory_mib\": "
       << JsonItems(
              memory,
              [](const MemoryFigures& m) {
                return std::pair{
                    m.input.Name(),
                    JsonObject()
                        .Spread("peak_growth", m.growthMiB)
                        .Number("models", m.ModelMiB())
                        .Number("allowed", m.BoundMiB())
                        .Number("growth_bytes_per_file_byte", m.PerFileByte(m.growthMiB.Median()))
                        .Number("model_bytes_per_file_byte", m.PerFileByte(m.ModelMiB()))};
              })
       << ",\n  \"linearity_ms\": "
       << JsonItems(linearity,
                    [](const LinearityFigures& l) {
                      return std::pair{l.name,
                                       JsonObject()
                                           .Number("models", static_cast<double>(l.models))
                                           .Spread("time", l.smallMs)
                                           .Spread("time_double", l.largeMs)
                                           .Spread("time_ratio", Ratios(l.largeMs, l.smallMs))
                                           .Number("size_ratio", l.sizeRatio)};
                    })
       << ",\n  \"goals\": [";
  for (size_t i = 0; i < goals.size(); ++i) {
    std::string checks;
    for (const Check& c : goals[i].checks)
      checks += (checks.empty() ? "\n      " : ",\n      ") +
                JsonObject()
                    .Text("check", c.item)
                    .Field("met", c.Met() ? "true" : "false")
                    .Spread("figure", c.values)
                    .Text("bound", (c.atMost ? "<= " : ">= ") + Format(c.format, c.bound))
                    .Text("obstacle", c.obstacle)
                    .str();
    json << (i ? ",\n" : "\n") << "    "
         << JsonObject()
                .Text("goal", goals[i].text)
                .Field("met", goals[i].Met() ? "true" : "false")
                .Field("checks", "[" + checks + "]")
                .str();
  }
  json << "\n  ]\n}\n";
}

} // namespace kiv::bench
