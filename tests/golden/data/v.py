import numpy as np
V = np.array([[10.0], [4.330127018922193+2.5j]])
