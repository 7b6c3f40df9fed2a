# The fuzz targets, each linked from its own file and the core sources it
# tests, all built with libFuzzer and the sanitizers. Called by run-fuzz.sh:
#   make -f tests/fuzz/fuzz.mk ROOT=<source dir> OUT=<build dir>/fuzz
CXX := clang++
CXXFLAGS := -std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined \
            -fno-sanitize-recover=all -I$(ROOT)/src -MMD -MP

core := platform/user_error display/text_rules settings/setting_values
ini_sources := $(core) platform/file_names settings/ini_document settings/settings_model
values_sources := $(core)
report_sources := $(core) report/information_report
help_sources := desktop/help_search
bitmap_sources := platform/user_error output/bitmap_file
page_plan_sources := output/page_plan
telop_sources := telop/telop_motion
zoom_sources := display/placement

targets := ini values report help bitmap page_plan telop zoom

all: $(targets:%=$(OUT)/%_fuzz)

define link
$(OUT)/$(1)_fuzz: $(OUT)/obj/$(1)_fuzz.o $($(1)_sources:%=$(OUT)/obj/%.o)
	$$(CXX) $$(CXXFLAGS) -fsanitize=fuzzer $$^ -o $$@
endef
$(foreach t,$(targets),$(eval $(call link,$(t))))

$(OUT)/obj/%_fuzz.o: $(ROOT)/tests/fuzz/%_fuzz.cpp
	@mkdir -p $(dir $@)
	$(CXX) $(CXXFLAGS) -fsanitize=fuzzer-no-link -c $< -o $@

$(OUT)/obj/%.o: $(ROOT)/src/%.cpp
	@mkdir -p $(dir $@)
	$(CXX) $(CXXFLAGS) -fsanitize=fuzzer-no-link -c $< -o $@

-include $(shell find $(OUT)/obj -name '*.d' 2>/dev/null)
