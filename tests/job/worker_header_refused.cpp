// Built only by the JobLayers test, as a front end would build it: the job's
// public header is found, and the build must stop at the worker's.
#include "job/recovery_job.h"
#include "job/worker/batch_run.h"
